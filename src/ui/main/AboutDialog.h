// The version dialog (template 100): the version text, the product page and the support
// mail buttons, OK.
#pragma once

#include "ui/Dialog.h"
#include "ui/main/DocumentOpener.h"

namespace tappling {

class AboutDialog final : public Dialog {
public:
    AboutDialog(HINSTANCE instance, DocumentOpener& opener);

protected:
    bool onInit() override;
    bool onCommand(int id, int code) override;

private:
    void openWebPage();
    void writeSupportMail();

    DocumentOpener& opener_;
};

}  // namespace tappling

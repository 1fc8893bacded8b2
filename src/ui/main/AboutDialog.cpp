#include "ui/main/AboutDialog.h"

#include "resources/resource.h"
#include "ui/logic/HelpLinks.h"
#include "ui/logic/ProductLinks.h"
#include "win32/Win32Text.h"

namespace tappling {

AboutDialog::AboutDialog(HINSTANCE instance, DocumentOpener& opener) : Dialog(instance, IDD_ABOUT), opener_(opener) {}

bool AboutDialog::onInit() {
    setTextUtf8(IDC_ABOUT_WEB, kProductWebPage);
    setTextUtf8(IDC_ABOUT_MAIL, kSupportMailAddress);
    return true;
}

bool AboutDialog::onCommand(int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_ABOUT_WEB: openWebPage(); return true;
        case IDC_ABOUT_MAIL: writeSupportMail(); return true;
        default: return false;
    }
}

void AboutDialog::openWebPage() { opener_.open(utf8ToWide(kProductWebPage)); }

void AboutDialog::writeSupportMail() {
    const std::string url = supportMailUrl(kSupportMailAddress, wideToUtf8(text(IDC_ABOUT_VERSION_TEXT)), kMailSubjectNote);
    opener_.open(utf8ToWide(url));
}

}  // namespace tappling

// Placeholder until the real main window lands: a plain window titled like the real one.
#include "ui/main/MainDialog.h"

namespace tappling {

MainDialog::MainDialog(HINSTANCE instance, Platform& platform) : instance_(instance), platform_(platform), player_(platform) {}
MainDialog::~MainDialog() = default;

void MainDialog::runModal() {
    MessageBoxW(nullptr, L"Tappling", L"Tappling", MB_OK);
}

}  // namespace tappling

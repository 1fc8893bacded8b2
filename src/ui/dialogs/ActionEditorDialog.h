// "設定": the editor of one action. It works on a private copy of the record; OK hands
// the copy back, Cancel throws it away. While it is open it drives the main window's
// position marker: unlocked, standing on the action's point, draggable and nudged, with
// the x and y boxes following it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Platform.h"
#include "model/ActionRecord.h"
#include "model/CodePage.h"
#include "model/MacroFileChooser.h"
#include "ui/Dialog.h"
#include "ui/dialogs/ColourChooser.h"
#include "ui/dialogs/PositionMarker.h"

namespace tappling {

// What the editor uses besides its controls; all outlive the dialog.
struct ActionEditorServices {
    PositionMarker& marker;
    Screen& screen;        // "取得": the pixel under the marker's tip
    InputSink& input;      // F9: the pointer position
    ColourChooser& colours;  // "指定"
    FileDialogs& files;    // "参照"
    const CodePage& codePage;  // cuts a dropped path
    Prompter* prompter = nullptr;  // its messages; the system's message box when none
};

inline constexpr UINT_PTR kMirrorTimer = 1;  // copies the marker position into the boxes

class ActionEditorDialog final : public Dialog {
public:
    ActionEditorDialog(HINSTANCE instance, const ActionEditorServices& services, const ActionRecord& copy,
                       int32_t rowNumber);

    // Runs modally; the edited copy on OK, nothing on Cancel.
    std::optional<ActionRecord> run(HWND owner);
    // The copy as it stands (after OK: the edited action).
    const ActionRecord& record() const { return record_; }

    // F9: takes the pointer position into the record and the boxes.
    void takePointerPosition();

protected:
    bool onInit() override;
    bool onCommand(int id, int code) override;
    bool onTimer(UINT_PTR id) override;
    bool onPaint() override;
    void onOk() override;
    void onCancel() override;
    bool onDropFiles(HDROP drop) override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fillTypeList();
    void applyTypeControls();
    void showPositionControls(bool shown);
    void moveMarkerTo(int32_t x, int32_t y);
    void onTypeChanged();
    void onCoordinatesTyped();
    void nudge(int dx, int dy);
    void step(int boxId, int32_t (*next)(int32_t));
    void takeScreenColour();
    void chooseColour();
    void browseFile();
    void openDetailSettings();
    void paintSwatch(COLORREF colour);
    void bringToFront();
    std::string ansiText(int id, const std::string& original) const;
    bool typedTextsFit();
    void informUser(std::string_view text);
    void setAnsiText(int id, const std::string& text);
    void setNumber(int id, int64_t value);
    void listenForF9();
    static LRESULT CALLBACK controlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR editor);

    ActionEditorServices services_;
    ActionRecord record_;
    int32_t rowNumber_;
    int32_t lastShownX_ = 0;
    int32_t lastShownY_ = 0;
    bool closing_ = false;  // focus changes while the dialog goes away must not move the marker
};

}  // namespace tappling

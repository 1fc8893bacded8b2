#include "textform/MacroCheck.h"

#include <algorithm>

#include "textform/NoWaitLoops.h"

namespace tappling {

namespace {

class Checker {
public:
    Checker(const Macro& macro, const CodePageText& codePage) : macro_(macro), codePage_(codePage) {}

    std::vector<Finding> run() {
        const auto& records = macro_.actions.records();
        for (size_t i = 0; i < records.size(); ++i) checkRecord(records[i], static_cast<int32_t>(i) + 1);
        for (const NoWaitLoop& loop : findNoWaitLoops(macro_.actions)) {
            add(Severity::Warning, loop.jumpAction, loop.field,
                "the jump back to action " + std::to_string(loop.first) + " closes a loop of " +
                    std::to_string(loop.size) + " actions (" + std::to_string(loop.first) + ".." +
                    std::to_string(loop.last) + ") that can repeat with no wait (busy loop)");
        }
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.action < b.action; });
        return std::move(findings_);
    }

private:
    void checkRecord(const ActionRecord& r, int32_t number) {
        const int32_t type = code(r.actionType);
        if (type < 0 || type >= kActionTypeCount) {
            add(Severity::Error, number, "actionType",
                "type code " + std::to_string(type) + " is not an action type (0..25); the action only moves the pointer");
        }
        if (r.actionType == ActionType::Condition) {
            checkJump(r.trueJump, number, "trueJump", PastTheEnd::PassEnds);
            checkJump(r.falseJump, number, "falseJump", PastTheEnd::RunEnds);
            // A failed test jumps at once (only the pre-wait passes before the next test),
            // a successful one after the post-wait.
            if (r.falseJump == 0 && r.preWaitMs <= 0) {
                add(Severity::Warning, number, "falseJump",
                    "the condition repeats itself with no wait while the colour is not found (busy loop)");
            }
            if (r.trueJump == 0 && r.preWaitMs <= 0 && r.postWaitMs <= 0) {
                add(Severity::Warning, number, "trueJump",
                    "the condition repeats itself with no wait while the colour is found (busy loop)");
            }
            if (int64_t{number} + r.falseJump == int64_t{macro_.actions.size()} + 1 && macro_.loopEnabled == 1) {
                add(Severity::Warning, number, "falseJump",
                    "a false jump to the end ends the run, not only the pass: the loop stops here");
            }
        }
        if (r.actionType == ActionType::Skip) {
            checkJump(r.trueJump, number, "trueJump", PastTheEnd::PassEnds);
            if (r.trueJump == 0) add(Severity::Warning, number, "trueJump", "the skip jumps to itself: the run never gets past it");
        }
        if (r.offsetEnabled == 1) {
            const int64_t target = int64_t{number} + r.offsetRef;
            if (target < 1 || target > macro_.actions.size()) {
                add(Severity::Warning, number, "offsetRef",
                    "offset reference " + std::to_string(target) + " is outside the list (1.." +
                        std::to_string(macro_.actions.size()) + "); no offset is applied");
            }
        }
        if (r.actionType == ActionType::Shutdown) {
            add(Severity::Warning, number, "actionType",
                "the action forces the computer to shut down: other programs are closed without saving");
        }
        if (r.actionType == ActionType::ExecuteFile && r.filePath.empty())
            add(Severity::Error, number, "filePath", "the file run has no file");
        if (r.actionType == ActionType::KeyboardInput && r.inputText.empty() && r.newlineAfterInput != 1)
            add(Severity::Warning, number, "inputText", "the keyboard input has no text: it types nothing");
        checkText(r.inputText, number, "inputText");
        checkText(r.comment, number, "comment");
        checkText(r.filePath, number, "filePath");
    }

    // What playback does at a target past the last action: a true jump or a skip ends the
    // pass (a looped run starts the next one), a false jump ends the run. Before the first
    // action every jump ends the run.
    enum class PastTheEnd { PassEnds, RunEnds };

    // Targets 1..N+1 are sound: N+1 is the end of the list.
    void checkJump(int32_t relative, int32_t number, std::string_view field, PastTheEnd pastTheEnd) {
        const int64_t target = int64_t{number} + relative;
        const int64_t size = macro_.actions.size();
        if (target >= 1 && target <= size + 1) return;
        const bool passEnds = target > size && pastTheEnd == PastTheEnd::PassEnds;
        add(Severity::Error, number, field,
            "jump target " + std::to_string(target) + " is outside the list (1.." + std::to_string(size) +
                ", or " + std::to_string(size + 1) + " for the end); " +
                (passEnds ? "the pass ends there" : "the run ends there"));
    }

    void checkText(const std::string& text, int32_t number, std::string_view field) {
        if (wholeUtf8(text, codePage_)) return;
        bool sound = true;
        forEachCharacter(text, codePage_, [&](const CodePageCharacter& c) { sound = sound && c.utf8.has_value(); });
        if (!sound) add(Severity::Error, number, field, "the text holds bytes that are no character of the code page");
    }

    void add(Severity severity, int32_t number, std::string_view field, std::string message) {
        findings_.push_back({severity, number, field, std::move(message)});
    }

    const Macro& macro_;
    const CodePageText& codePage_;
    std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> checkMacro(const Macro& macro, const CodePageText& codePage) {
    return Checker(macro, codePage).run();
}

int checkExitStatus(const std::vector<Finding>& findings) {
    int status = 0;
    for (const Finding& finding : findings) status = std::max(status, finding.severity == Severity::Error ? 2 : 1);
    return status;
}

}  // namespace tappling

#include "textform/MacroCheck.h"

namespace tappling {

namespace {

class Checker {
public:
    Checker(const Macro& macro, const CodePageText& codePage) : macro_(macro), codePage_(codePage) {}

    std::vector<Finding> run() {
        const auto& records = macro_.actions.records();
        for (size_t i = 0; i < records.size(); ++i) checkRecord(records[i], static_cast<int32_t>(i) + 1);
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
            checkJump(r.trueJump, number, "trueJump");
            checkJump(r.falseJump, number, "falseJump");
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
        }
        if (r.actionType == ActionType::Skip) {
            checkJump(r.trueJump, number, "trueJump");
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
        if (r.actionType == ActionType::Shutdown)
            add(Severity::Warning, number, "actionType", "the action shuts the computer down");
        if (r.actionType == ActionType::ExecuteFile && r.filePath.empty())
            add(Severity::Error, number, "filePath", "the file run has no file");
        checkText(r.inputText, number, "inputText");
        checkText(r.comment, number, "comment");
        checkText(r.filePath, number, "filePath");
    }

    // Targets 1..N+1 are sound: N+1 is the end of the list.
    void checkJump(int32_t relative, int32_t number, std::string_view field) {
        const int64_t target = int64_t{number} + relative;
        const int64_t size = macro_.actions.size();
        if (target >= 1 && target <= size + 1) return;
        add(Severity::Error, number, field,
            "jump target " + std::to_string(target) + " is outside the list (1.." + std::to_string(size) +
                ", or " + std::to_string(size + 1) + " for the end); the run ends there");
    }

    void checkText(const std::string& text, int32_t number, std::string_view field) {
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

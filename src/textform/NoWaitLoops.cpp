#include "textform/NoWaitLoops.h"

#include <algorithm>
#include <array>

namespace tappling {

namespace {

struct Step {
    int32_t to;  // 0-based; -1 for none
    std::string_view field;  // the jump field, empty for going on to the next action
};

// The steps out of an action that pass no wait, at most two.
std::array<Step, 2> noWaitSteps(const ActionRecord& r, int32_t index, int32_t size) {
    std::array<Step, 2> steps{{{-1, {}}, {-1, {}}}};
    const bool noPre = r.preWaitMs <= 0;
    const bool noWait = noPre && r.postWaitMs <= 0;
    const auto target = [&](int32_t relative) {
        const int64_t to = int64_t{index} + relative;
        return to >= 0 && to < size ? static_cast<int32_t>(to) : -1;
    };
    const bool tests = r.invertCondition == 0 || r.invertCondition == 1;  // otherwise it goes on
    if (r.actionType == ActionType::Skip) {
        if (noWait) steps[0] = {target(r.trueJump), "trueJump"};
    } else if (r.actionType == ActionType::Condition && tests) {
        if (noWait) steps[0] = {target(r.trueJump), "trueJump"};
        if (noPre) steps[1] = {target(r.falseJump), "falseJump"};
    } else if (noWait) {
        steps[0] = {index + 1 < size ? index + 1 : -1, {}};
    }
    return steps;
}

// Tarjan's strongly connected components, without recursion (lists may be long).
class Components {
public:
    explicit Components(const ActionList& actions) : actions_(actions), size_(actions.size()) {
        const auto n = static_cast<size_t>(size_);
        order_.assign(n, -1);
        low_.assign(n, 0);
        onStack_.assign(n, false);
        component_.assign(n, -1);
    }

    // The component of every action; actions on no loop get components of their own.
    const std::vector<int32_t>& run() {
        for (int32_t start = 0; start < size_; ++start)
            if (order_[static_cast<size_t>(start)] < 0) visit(start);
        return component_;
    }

private:
    void visit(int32_t start) {
        struct Frame {
            int32_t node;
            size_t next;
        };
        std::vector<Frame> frames{{start, 0}};
        enter(start);
        while (!frames.empty()) {
            Frame& frame = frames.back();
            const auto node = static_cast<size_t>(frame.node);
            const std::array<Step, 2> steps = noWaitSteps(actions_.at(frame.node), frame.node, size_);
            if (frame.next < steps.size()) {
                const int32_t to = steps[frame.next++].to;
                if (to < 0) continue;
                const auto target = static_cast<size_t>(to);
                if (order_[target] < 0) {
                    enter(to);
                    frames.push_back({to, 0});
                } else if (onStack_[target]) {
                    low_[node] = std::min(low_[node], order_[target]);
                }
                continue;
            }
            if (low_[node] == order_[node]) {
                int32_t member = -1;
                do {
                    member = stack_.back();
                    stack_.pop_back();
                    onStack_[static_cast<size_t>(member)] = false;
                    component_[static_cast<size_t>(member)] = components_;
                } while (member != frame.node);
                ++components_;
            }
            const int32_t done = frame.node;
            frames.pop_back();
            if (!frames.empty()) {
                const auto parent = static_cast<size_t>(frames.back().node);
                low_[parent] = std::min(low_[parent], low_[static_cast<size_t>(done)]);
            }
        }
    }

    void enter(int32_t node) {
        const auto n = static_cast<size_t>(node);
        order_[n] = low_[n] = counter_++;
        stack_.push_back(node);
        onStack_[n] = true;
    }

    const ActionList& actions_;
    int32_t size_;
    std::vector<int32_t> order_, low_, component_, stack_;
    std::vector<bool> onStack_;
    int32_t counter_ = 0;
    int32_t components_ = 0;
};

}  // namespace

std::vector<NoWaitLoop> findNoWaitLoops(const ActionList& actions) {
    const int32_t size = actions.size();
    const std::vector<int32_t> component = Components(actions).run();
    std::vector<int32_t> members(component.size(), 0), first(component.size(), size), last(component.size(), -1);
    for (int32_t k = 0; k < size; ++k) {
        const auto c = static_cast<size_t>(component[static_cast<size_t>(k)]);
        ++members[c];
        first[c] = std::min(first[c], k);
        last[c] = std::max(last[c], k);
    }
    std::vector<bool> reported(component.size(), false);
    std::vector<NoWaitLoop> loops;
    // A loop of two or more actions is entered again only through a jump back into it;
    // the first such jump names it. Loops of one action have their own findings.
    for (int32_t i = 0; i < size; ++i) {
        const auto c = static_cast<size_t>(component[static_cast<size_t>(i)]);
        if (members[c] < 2 || reported[c]) continue;
        for (const Step& step : noWaitSteps(actions.at(i), i, size)) {
            if (step.field.empty() || step.to < 0 || step.to > i ||
                static_cast<size_t>(component[static_cast<size_t>(step.to)]) != c)
                continue;
            loops.push_back({first[c] + 1, last[c] + 1, members[c], i + 1, step.field});
            reported[c] = true;
            break;
        }
    }
    return loops;
}

}  // namespace tappling

#pragma once
// Input that waits while the program runs a line: what the user types meanwhile
// is kept in order and delivered when the run ends, so that nothing typed
// ahead is lost and none of it reaches the line that is running. Each front
// end keeps its own native key events in one of these.

#include <deque>
#include <utility>

namespace zindle {

template <class Input>
class HeldInput {
public:
    // True when input arriving now must wait: the box is held, or earlier
    // input still waits and must go first.
    bool MustWait() const { return held_ || (!waiting_.empty() && !delivering_); }
    void Keep(Input input) { waiting_.push_back(std::move(input)); }
    bool Held() const { return held_; }

    // Ending the hold delivers what waits, oldest first, until a delivered
    // key (an Enter typed ahead) starts another run and holds input again;
    // the rest then waits for that run to end.
    template <class Deliver>
    void SetHeld(bool held, Deliver&& deliver) {
        held_ = held;
        if (held_ || delivering_) return;
        delivering_ = true;
        while (!held_ && !waiting_.empty()) {
            Input input = std::move(waiting_.front());
            waiting_.pop_front();
            deliver(input);
        }
        delivering_ = false;
    }

private:
    std::deque<Input> waiting_;
    bool held_ = false;
    bool delivering_ = false;
};

}  // namespace zindle

#pragma once

#include <atomic>
#include <memory>

namespace orvanix {

// A cancellation flag that the owner of a job shares with the job's worker. The
// owner sets it; the worker and every transfer it runs check it and give up soon.
// Share it as std::shared_ptr<StopToken> so that it outlives whichever side ends last.
class StopToken {
public:
    void requestStop() noexcept { stopped_.store(true, std::memory_order_release); }
    bool stopRequested() const noexcept { return stopped_.load(std::memory_order_acquire); }

private:
    std::atomic<bool> stopped_{false};
};

using SharedStopToken = std::shared_ptr<StopToken>;

inline SharedStopToken makeStopToken() {
    return std::make_shared<StopToken>();
}

// True when a token is given and has been set.
inline bool stopRequested(const StopToken* token) noexcept {
    return token != nullptr && token->stopRequested();
}

}  // namespace orvanix

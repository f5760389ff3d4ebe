#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <optional>
#include <type_traits>
#include <utility>

namespace orvanix {

// Runs `work` on the thread that owns `context` (the GUI thread for widgets) and
// waits until it is done, returning its result. Called on that thread itself it
// simply runs `work`. Workers use it for every read or change of a control.
template <typename Work>
auto callOnGui(QObject* context, Work&& work) -> std::invoke_result_t<Work> {
    using Result = std::invoke_result_t<Work>;
    if (QThread::currentThread() == context->thread()) return work();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(context, std::forward<Work>(work), Qt::BlockingQueuedConnection);
    } else {
        std::optional<Result> result;
        QMetaObject::invokeMethod(
            context, [&] { result.emplace(work()); }, Qt::BlockingQueuedConnection);
        // The request is dropped only when the window is gone, as the program ends.
        return result ? std::move(*result) : Result{};
    }
}

}  // namespace orvanix

#include "ServerSourceList.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <chrono>
#include <memory>

namespace tolvane {

namespace {

// A server that does not answer within this long is as good as none: the list is read while
// the user waits, and before recordings.
constexpr auto kAnswerTime = std::chrono::milliseconds(2000);
constexpr int kPollMs = 50;

struct Query {
    std::vector<ServerSource> sources;
    bool done = false;
};

void OnSource(pa_context *, const pa_source_info *info, int eol, void *userdata)
{
    auto *query = static_cast<Query *>(userdata);
    if (eol != 0 || !info) {
        query->done = true;
        return;
    }
    ServerSource s;
    s.name = QString::fromUtf8(info->name ? info->name : "");
    s.description = QString::fromUtf8(info->description ? info->description : "");
    if (s.description.isEmpty())
        s.description = s.name;
    s.monitor = info->monitor_of_sink != PA_INVALID_INDEX;
    if (ServerSourceList::Addressable(s.name))
        query->sources.push_back(std::move(s));
}

}  // namespace

std::vector<ServerSource> ServerSourceList::Current()
{
    const std::unique_ptr<pa_mainloop, void (*)(pa_mainloop *)> loop(pa_mainloop_new(), pa_mainloop_free);
    if (!loop)
        return {};
    const std::unique_ptr<pa_context, void (*)(pa_context *)> context(
        pa_context_new(pa_mainloop_get_api(loop.get()), "tolvane"), pa_context_unref);
    if (!context || pa_context_connect(context.get(), nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        return {};

    Query query;
    pa_operation *operation = nullptr;
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    while (!query.done && std::chrono::steady_clock::now() < deadline) {
        const pa_context_state_t state = pa_context_get_state(context.get());
        if (!PA_CONTEXT_IS_GOOD(state))
            break;
        if (state == PA_CONTEXT_READY && !operation) {
            operation = pa_context_get_source_info_list(context.get(), OnSource, &query);
            if (!operation)
                break;
        }
        if (pa_mainloop_prepare(loop.get(), kPollMs * 1000) < 0 || pa_mainloop_poll(loop.get()) < 0
            || pa_mainloop_dispatch(loop.get()) < 0)
            break;
    }
    if (operation) {
        pa_operation_cancel(operation);
        pa_operation_unref(operation);
    }
    pa_context_disconnect(context.get());
    if (!query.done)
        return {};  // half a list would shift the places of the sources after the gap
    return std::move(query.sources);
}

bool ServerSourceList::Addressable(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\') || c == QLatin1Char('\'')
            || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QString ServerSourceList::PcmOf(const QString &name) { return QStringLiteral("pulse:DEVICE=\"%1\"").arg(name); }

}  // namespace tolvane

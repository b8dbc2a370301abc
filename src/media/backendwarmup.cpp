#include "media/backendwarmup.h"

#include <QLibrary>
#include <QLibraryInfo>
#include <QPointer>
#include <QThread>
#include <utility>
#include <vector>

namespace {

bool loaded = false;
bool started = false;
// Who waits for the loading, on the GUI thread.
struct Waiting
{
    QPointer<QObject> context;
    std::function<void()> done;
};
std::vector<Waiting> waiting;

// GStreamer's own entry points, found at run time: the program does not link GStreamer itself.
struct ListNode
{
    void* data;
    ListNode* next;
    ListNode* prev;
};
using InitCheck = int (*)(int*, char***, void**);
using ListDeviceProviders = ListNode* (*)(unsigned);
using LoadFeature = void* (*)(void*);
using FreeFeatureList = void (*)(ListNode*);
using LoadPluginByName = void* (*)(const char*);
using Unref = void (*)(void*);

constexpr unsigned RankMarginal = 64;
// The plugins whose elements the backend makes on the GUI thread for every player and audio output.
constexpr const char* PlayerPlugins[] = {"coreelements", "videoconvertscale", "videoconvert", "playback",
                                         "audioconvert", "audioresample",     "volume",       "autodetect"};

void loadBackend()
{
    // Qt's own plugin for the backend, with the libraries it links: Qt loads it again on the GUI thread, then
    // finding them in place.
    QLibrary plugin(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/multimedia/gstreamermediaplugin"));
    plugin.load();
    QLibrary gstreamer(QStringLiteral("gstreamer-1.0"), 0);
    if (!gstreamer.load())
        return;
    const auto init = reinterpret_cast<InitCheck>(gstreamer.resolve("gst_init_check"));
    const auto providers = reinterpret_cast<ListDeviceProviders>(
        gstreamer.resolve("gst_device_provider_factory_list_get_device_providers"));
    const auto loadFeature = reinterpret_cast<LoadFeature>(gstreamer.resolve("gst_plugin_feature_load"));
    const auto freeList = reinterpret_cast<FreeFeatureList>(gstreamer.resolve("gst_plugin_feature_list_free"));
    const auto loadPlugin = reinterpret_cast<LoadPluginByName>(gstreamer.resolve("gst_plugin_load_by_name"));
    const auto unref = reinterpret_cast<Unref>(gstreamer.resolve("gst_object_unref"));
    // GStreamer's start is guarded by its own lock: the backend's later start finds it done.
    if (!init || !init(nullptr, nullptr, nullptr))
        return;
    // The device plugins the backend's device monitor loads, then the player's own.
    if (providers && loadFeature && freeList && unref) {
        ListNode* factories = providers(RankMarginal);
        for (ListNode* node = factories; node; node = node->next) {
            if (void* feature = loadFeature(node->data))
                unref(feature);
        }
        freeList(factories);
    }
    if (loadPlugin && unref) {
        for (const char* name : PlayerPlugins) {
            if (void* plugin = loadPlugin(name))
                unref(plugin);
        }
    }
}

} // namespace

namespace backendwarmup {

bool ready()
{
    return loaded;
}

void whenReady(QObject* context, std::function<void()> done)
{
    if (loaded) {
        done();
        return;
    }
    waiting.push_back({context, std::move(done)});
    if (started)
        return;
    started = true;
    QThread* thread = QThread::create(loadBackend);
    // The thread object lives on the GUI thread: this runs there once the loading has ended.
    QObject::connect(thread, &QThread::finished, thread, [thread] {
        loaded = true;
        for (Waiting& waiter : std::exchange(waiting, {})) {
            if (waiter.context)
                waiter.done();
        }
        thread->deleteLater();
    });
    thread->start();
}

} // namespace backendwarmup

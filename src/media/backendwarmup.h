#pragma once

#include <functional>

class QObject;

// Qt Multimedia's GStreamer backend starts GStreamer (reading its plugin registry) and loads its device plugins
// on the GUI thread when the first player is made, which holds the window up for a tenth of a second or more.
// Done first on a thread of its own, that work leaves the backend's start little to do. Where GStreamer is not
// the backend (or not installed) there is nothing to do and the backend counts as ready at once.
namespace backendwarmup {

/// The backend's libraries are loaded: a player made now starts without loading them on the GUI thread.
bool ready();
/// Starts loading them, unless that has begun already, and calls `done` on the GUI thread once they are
/// loaded; nothing is called once `context` is gone.
void whenReady(QObject* context, std::function<void()> done);

} // namespace backendwarmup

#include "platform/system/DesktopNotification.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Thread.h"
#include "platform/system/SessionBus.h"
#include "platform/system/Trace.h"
#include "platform/system/Utf8.h"

#include <gio/gio.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <dlfcn.h>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace plat {

namespace {

    // Every GLib call goes through this table, filled from the library when the first
    // notification is shown: the program links nothing of GLib and pays nothing for it
    // at start-up.
#define QUORIX_GIO_FUNCTIONS(X)                                                                              \
    X(g_main_context_new)                                                                                    \
    X(g_main_context_unref)                                                                                  \
    X(g_main_context_push_thread_default)                                                                    \
    X(g_main_context_pop_thread_default)                                                                     \
    X(g_main_context_iteration)                                                                              \
    X(g_main_context_wakeup)                                                                                 \
    X(g_main_context_invoke_full)                                                                            \
    X(g_cancellable_new)                                                                                     \
    X(g_cancellable_cancel)                                                                                  \
    X(g_object_unref)                                                                                        \
    X(g_signal_connect_data)                                                                                 \
    X(g_signal_handler_disconnect)                                                                           \
    X(g_error_free)                                                                                          \
    X(g_free)                                                                                                \
    X(g_variant_new)                                                                                         \
    X(g_variant_get)                                                                                         \
    X(g_variant_get_type_string)                                                                             \
    X(g_variant_unref)                                                                                       \
    X(g_variant_builder_init)                                                                                \
    X(g_variant_builder_add)                                                                                 \
    X(g_variant_new_string)                                                                                  \
    X(g_dbus_connection_new_for_address_sync)                                                                \
    X(g_dbus_connection_call)                                                                                \
    X(g_dbus_connection_call_finish)                                                                         \
    X(g_dbus_connection_signal_subscribe)                                                                    \
    X(g_dbus_connection_signal_unsubscribe)

    struct Gio {
#define QUORIX_GIO_DECLARE(name) decltype(&::name) name = nullptr;
        QUORIX_GIO_FUNCTIONS(QUORIX_GIO_DECLARE)
#undef QUORIX_GIO_DECLARE
    };

    // Loaded once, on the UI thread, and kept to the end (GLib is never unloaded).
    const Gio* LoadGio()
    {
        static const Gio* loaded = [] () -> const Gio* {
            void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
            if (!library) {
                OutputDebugStringW(L"[UX+] DesktopNotification, GIO is not installed: no notifications.\n");
                return nullptr;
            }
            auto* gio = new Gio;
            bool complete = true;
#define QUORIX_GIO_LOAD(name)                                                                                \
    gio->name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));                                  \
    complete = complete && gio->name;
            QUORIX_GIO_FUNCTIONS(QUORIX_GIO_LOAD)
#undef QUORIX_GIO_LOAD
            if (!complete) {
                OutputDebugStringW(L"[UX+] DesktopNotification, GIO is too old: no notifications.\n");
                delete gio;
                return nullptr;
            }
            return gio;
        }();
        return loaded;
    }

    constexpr char kService[] = "org.freedesktop.Notifications";
    constexpr char kPath[] = "/org/freedesktop/Notifications";
    constexpr char kAppName[] = "Quorix";
    constexpr char kBus[] = "org.freedesktop.DBus";
    constexpr char kBusPath[] = "/org/freedesktop/DBus";
    // Notifications handed over and not yet sent to the service; more are refused.
    constexpr int kMaxQueued = 16;
    // Notifications remembered for their clicks and closes; past these the oldest is
    // closed, as nothing could take it away once forgotten.
    constexpr size_t kMaxShown = 64;
    // At the end, what was handed over (the closes of what is still shown) may take this
    // long to be answered before the worker stops regardless.
    constexpr auto kEndWait = std::chrono::milliseconds(300);

    void Trace(const std::string& text)
    {
        OutputDebugStringW((L"[UX+] DesktopNotification, " + DecodeUtf8(text) + L"\n").c_str());
    }

    // Valid UTF-8 without NUL, which D-Bus strings cannot carry.
    std::string Utf8Text(const std::wstring& text)
    {
        std::wstring clean = text;
        std::erase(clean, L'\0');
        return EncodeUtf8(clean);
    }

    std::string EscapeMarkup(const std::string& text)
    {
        std::string out;
        out.reserve(text.size());
        for (char c : text) {
            if (c == '&')
                out += "&amp;";
            else if (c == '<')
                out += "&lt;";
            else if (c == '>')
                out += "&gt;";
            else
                out += c;
        }
        return out;
    }

    struct Request {
        // Notify shows (or replaces) one; Close and CloseAll take away what was shown
        // under the id, or all, for the window and message.
        enum Kind { Notify, Close, CloseAll };
        Kind kind = Notify;
        std::string summary;
        std::string body;
        uint32_t id = 0;
        HWND window = nullptr;
        UINT message = 0;
    };

    // One connection to the bus and the thread that serves it. The UI thread hands
    // requests over through the worker's main context; everything else happens on the
    // worker thread, except the few fields under the mutex.
    class Worker {
    public:
        Worker(const Gio& gio, std::string address)
            : m_gio(gio)
            , m_address(std::move(address))
            , m_context(gio.g_main_context_new())
            , m_cancellable(gio.g_cancellable_new())
        {
        }
        ~Worker()
        {
            // Requests still queued in the context are freed with it.
            m_gio.g_main_context_unref(m_context);
            m_gio.g_object_unref(m_cancellable);
        }
        Worker(const Worker&) = delete;
        Worker& operator=(const Worker&) = delete;

        enum Phase { Connecting, Serving, Done };

        // UI thread. Closes are never refused for a full queue: the notifications they
        // take away are as many as were handed over.
        bool Hand(Request request)
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_closing || m_phase == Done || (request.kind == Request::Notify && m_queued >= kMaxQueued))
                return false;
            ++m_queued;
            auto* handed = new Pending { this, std::move(request) };
            m_gio.g_main_context_invoke_full(
                m_context, G_PRIORITY_DEFAULT, &Worker::OnHanded, handed, &Worker::FreeHanded);
            return true;
        }
        Phase GetPhase()
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            return m_phase;
        }
        // UI thread, before Stop: waits until what was handed over has been answered, at
        // most `limit`; nothing new is shown meanwhile. No wait while still connecting
        // (nothing was sent, and the handshake may hang) or with nothing on its way.
        void Settle(std::chrono::milliseconds limit)
        {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_phase != Serving)
                    return;
                m_settling = true;
            }
            m_gio.g_main_context_wakeup(m_context); // it looks at once whether all is answered
            std::unique_lock<std::mutex> lock(m_mutex);
            m_settled.wait_for(lock, limit, [this] { return m_quiet || m_phase == Done; });
        }
        // UI thread: stops the worker; true when it can be joined at once (it serves and
        // wakes for this), false when it is still connecting (it ends by itself).
        bool Stop()
        {
            bool serving;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_closing = true;
                serving = m_phase != Connecting;
            }
            // Calls under way end at once, answered "cancelled" in the worker's context.
            m_gio.g_cancellable_cancel(m_cancellable);
            m_gio.g_main_context_wakeup(m_context);
            return serving;
        }

        // The worker thread.
        void Run()
        {
            SetCurrentThreadName("notify");
            m_gio.g_main_context_push_thread_default(m_context);
            GError* error = nullptr;
            GDBusConnection* connection = m_gio.g_dbus_connection_new_for_address_sync(m_address.c_str(),
                static_cast<GDBusConnectionFlags>(
                    G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                nullptr, m_cancellable, &error);
            if (error) {
                Trace(std::string("no session bus: ") + error->message);
                m_gio.g_error_free(error);
            }
            bool serve;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                serve = connection && !m_closing;
                m_phase = serve ? Serving : Done;
            }
            if (!serve) {
                if (connection)
                    m_gio.g_object_unref(connection);
                m_gio.g_main_context_pop_thread_default(m_context);
                return;
            }
            m_connection = connection;
            const gulong closed = m_gio.g_signal_connect_data(
                m_connection, "closed", G_CALLBACK(&Worker::OnClosed), this, nullptr, GConnectFlags(0));
            m_subscription = m_gio.g_dbus_connection_signal_subscribe(m_connection, nullptr, kService, nullptr,
                kPath, nullptr, G_DBUS_SIGNAL_FLAGS_NONE, &Worker::OnSignal, this, nullptr);
            m_ownerSubscription = m_gio.g_dbus_connection_signal_subscribe(m_connection, kBus, kBus,
                "NameOwnerChanged", kBusPath, kService, G_DBUS_SIGNAL_FLAGS_NONE, &Worker::OnOwnerChanged, this,
                nullptr);
            Call("GetCapabilities", nullptr, &Worker::OnCapabilities, nullptr);

            while (!IsClosing() && !m_lost) {
                m_gio.g_main_context_iteration(m_context, TRUE);
                NoteQuiet();
            }
            // A lost bus: this worker ends, and the next notification connects afresh.
            m_gio.g_cancellable_cancel(m_cancellable);
            while (m_calls > 0)
                m_gio.g_main_context_iteration(m_context, TRUE);
            // Nothing of the connection, which GLib may keep a while, calls back any more.
            m_gio.g_dbus_connection_signal_unsubscribe(m_connection, m_subscription);
            m_gio.g_dbus_connection_signal_unsubscribe(m_connection, m_ownerSubscription);
            m_gio.g_signal_handler_disconnect(m_connection, closed);
            m_gio.g_object_unref(m_connection);
            m_connection = nullptr;
            m_gio.g_main_context_pop_thread_default(m_context);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_phase = Done;
            m_settled.notify_all();
        }

    private:
        // A request on its way to the worker, then what a call's answer needs.
        struct Pending {
            Worker* worker;
            Request request;
        };
        struct Shown {
            uint32_t server = 0; // the service's id
            uint32_t id = 0;
            HWND window = nullptr;
            UINT message = 0;
            bool closing = false; // asked to close, not yet answered
        };

        bool IsClosing()
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            return m_closing;
        }

        // Tells a settling UI thread once nothing handed over waits and every call is
        // answered.
        void NoteQuiet()
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_settling && !m_quiet && m_queued == 0 && !m_notifying && m_calls == 0) {
                m_quiet = true;
                m_settled.notify_all();
            }
        }

        static gboolean OnHanded(gpointer data)
        {
            auto* handed = static_cast<Pending*>(data);
            handed->worker->Take(std::move(handed->request));
            return G_SOURCE_REMOVE;
        }
        static void FreeHanded(gpointer data) { delete static_cast<Pending*>(data); }

        // Requests wait for the service's capabilities (whether it reads markup decides
        // how the body goes out), then go one at a time: each knows what the ones before
        // it became, so a chat's next line replaces its last.
        void Take(Request request)
        {
            m_waiting.push_back(std::move(request));
            SendNext();
        }

        void SendNext()
        {
            while (m_ready && !m_notifying && !m_waiting.empty()) {
                Request request = std::move(m_waiting.front());
                m_waiting.pop_front();
                bool settling;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    --m_queued;
                    if (m_closing)
                        return;
                    settling = m_settling;
                }
                // At the end nothing new is shown, only taken away.
                if (settling && request.kind == Request::Notify)
                    continue;
                if (request.kind == Request::Notify)
                    Notify(std::move(request));
                else
                    CloseShown(request);
            }
        }

        void Notify(Request request)
        {
            m_notifying = true;
            uint32_t replaces = 0;
            for (const Shown& shown : m_shown)
                if (shown.id == request.id && shown.window == request.window && shown.message == request.message)
                    replaces = shown.server;
            const std::string body = m_markup ? EscapeMarkup(request.body) : request.body;
            const char* actions[] = { "default", "열기", nullptr };
            GVariantBuilder hints;
            m_gio.g_variant_builder_init(&hints, G_VARIANT_TYPE_VARDICT);
            m_gio.g_variant_builder_add(&hints, "{sv}", "category", m_gio.g_variant_new_string("im.received"));
            GVariant* parameters = m_gio.g_variant_new("(susss^asa{sv}i)", kAppName, replaces, "",
                request.summary.c_str(), body.c_str(), actions, &hints, -1);
            Call("Notify", parameters, &Worker::OnNotified, new Pending { this, std::move(request) });
        }

        // Each notification the request names that the service still shows: a
        // notification is forgotten once the service has closed it.
        void CloseShown(const Request& request)
        {
            for (Shown& shown : m_shown) {
                if (shown.window != request.window || shown.message != request.message
                    || (request.kind == Request::Close && shown.id != request.id))
                    continue;
                Close(shown);
            }
        }

        // Once: a close on its way is not asked for again.
        void Close(Shown& shown)
        {
            if (shown.closing)
                return;
            shown.closing = true;
            Request closing;
            closing.kind = Request::Close;
            closing.id = shown.server;
            Call("CloseNotification", m_gio.g_variant_new("(u)", shown.server), &Worker::OnCloseAnswered,
                new Pending { this, std::move(closing) });
        }

        void Call(const char* method, GVariant* parameters, GAsyncReadyCallback done, Pending* pending)
        {
            ++m_calls;
            m_gio.g_dbus_connection_call(m_connection, kService, kPath, kService, method, parameters, nullptr,
                G_DBUS_CALL_FLAGS_NONE, -1, m_cancellable, done, pending ? pending : new Pending { this, {} });
        }

        // The answer of a call; null (traced) when it failed.
        GVariant* Finish(GAsyncResult* result, const char* method)
        {
            --m_calls;
            GError* error = nullptr;
            GVariant* reply = m_gio.g_dbus_connection_call_finish(m_connection, result, &error);
            if (error) {
                if (!IsClosing())
                    Trace(std::string(method) + " failed: " + error->message);
                m_gio.g_error_free(error);
            }
            return reply;
        }

        static void OnCapabilities(GObject*, GAsyncResult* result, gpointer data)
        {
            std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
            Worker& self = *pending->worker;
            if (GVariant* reply = self.Finish(result, "GetCapabilities")) {
                if (std::string(self.m_gio.g_variant_get_type_string(reply)) == "(as)") {
                    const gchar** capabilities = nullptr;
                    self.m_gio.g_variant_get(reply, "(^a&s)", &capabilities);
                    // A service that shows links or images reads the body's tags, whether
                    // or not it says it reads markup.
                    for (const gchar** c = capabilities; c && *c; ++c) {
                        const std::string capability = *c;
                        self.m_markup = self.m_markup || capability == "body-markup"
                            || capability == "body-hyperlinks" || capability == "body-images";
                    }
                    self.m_gio.g_free(capabilities);
                }
                self.m_gio.g_variant_unref(reply);
            }
            // Without an answer the service may still show them, as plain text.
            self.m_ready = true;
            self.SendNext();
        }

        static void OnNotified(GObject*, GAsyncResult* result, gpointer data)
        {
            std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
            Worker& self = *pending->worker;
            GVariant* reply = self.Finish(result, "Notify");
            self.m_notifying = false;
            if (!reply) {
                self.SendNext();
                return;
            }
            uint32_t server = 0;
            if (std::string(self.m_gio.g_variant_get_type_string(reply)) == "(u)")
                self.m_gio.g_variant_get(reply, "(u)", &server);
            self.m_gio.g_variant_unref(reply);
            const Request& request = pending->request;
            std::erase_if(self.m_shown, [&](const Shown& shown) {
                return shown.server == server
                    || (shown.id == request.id && shown.window == request.window
                        && shown.message == request.message);
            });
            self.m_shown.push_back(Shown { server, request.id, request.window, request.message });
            // Those on their way out go with their answers; of the rest, the oldest goes now.
            const auto open = [](const Shown& shown) { return !shown.closing; };
            if (size_t(std::count_if(self.m_shown.begin(), self.m_shown.end(), open)) > kMaxShown)
                self.Close(*std::find_if(self.m_shown.begin(), self.m_shown.end(), open));
            // A service that refuses every close does not make the list grow for ever.
            if (self.m_shown.size() > 2 * kMaxShown)
                self.m_shown.pop_front();
            self.SendNext();
        }

        static void OnCloseAnswered(GObject*, GAsyncResult* result, gpointer data)
        {
            std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
            Worker& self = *pending->worker;
            GVariant* reply = self.Finish(result, "CloseNotification");
            const uint32_t server = pending->request.id;
            if (!reply) {
                // Still shown, and still clicked; a later close may try again.
                for (Shown& shown : self.m_shown)
                    if (shown.server == server)
                        shown.closing = false;
                return;
            }
            self.m_gio.g_variant_unref(reply);
            std::erase_if(self.m_shown, [&](const Shown& shown) { return shown.server == server; });
        }

        static void OnSignal(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* name,
            GVariant* parameters, gpointer data)
        {
            auto& self = *static_cast<Worker*>(data);
            const std::string signal = name ? name : "";
            const std::string type = self.m_gio.g_variant_get_type_string(parameters);
            uint32_t server = 0;
            if (signal == "ActionInvoked" && type == "(us)") {
                const gchar* action = nullptr;
                self.m_gio.g_variant_get(parameters, "(u&s)", &server, &action);
                if (std::string(action) == "default")
                    self.Clicked(server);
            } else if (signal == "NotificationClosed" && type == "(uu)") {
                uint32_t reason = 0;
                self.m_gio.g_variant_get(parameters, "(uu)", &server, &reason);
                std::erase_if(self.m_shown, [&](const Shown& shown) { return shown.server == server; });
            }
        }

        // Another service (or none) now answers to the name: its ids start again, and the
        // ones remembered would name other programs' notifications.
        static void OnOwnerChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
            GVariant* parameters, gpointer data)
        {
            auto& self = *static_cast<Worker*>(data);
            if (std::string(self.m_gio.g_variant_get_type_string(parameters)) != "(sss)")
                return;
            const gchar *name = nullptr, *before = nullptr, *after = nullptr;
            self.m_gio.g_variant_get(parameters, "(&s&s&s)", &name, &before, &after);
            if (std::string(name) == kService && std::string(before) != after)
                self.m_shown.clear();
        }

        void Clicked(uint32_t server)
        {
            for (const Shown& shown : m_shown) {
                if (shown.server != server)
                    continue;
                // Not once the program is closing: its windows may be going.
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_closing)
                    PostMessageW(shown.window, shown.message, shown.id, 0);
                return;
            }
        }

        static void OnClosed(GDBusConnection*, gboolean, GError*, gpointer data)
        {
            static_cast<Worker*>(data)->m_lost = true;
        }

        const Gio& m_gio;
        const std::string m_address;
        GMainContext* const m_context;
        GCancellable* const m_cancellable;

        std::mutex m_mutex;
        std::condition_variable m_settled;
        bool m_closing = false;
        bool m_settling = false;
        bool m_quiet = false; // settling, and nothing left to answer
        Phase m_phase = Connecting;
        int m_queued = 0;

        // The worker thread's own.
        GDBusConnection* m_connection = nullptr;
        guint m_subscription = 0;
        guint m_ownerSubscription = 0;
        int m_calls = 0;
        bool m_ready = false;
        bool m_markup = false;
        bool m_notifying = false;
        bool m_lost = false;
        std::deque<Request> m_waiting;
        std::deque<Shown> m_shown;
    };

    // The current worker and its thread; UI thread only.
    struct Service {
        std::shared_ptr<Worker> worker;
        std::thread thread;

        void End()
        {
            if (!worker)
                return;
            if (worker->Stop())
                thread.join();
            else
                thread.detach(); // still connecting: it ends by itself, holding its worker
            worker.reset();
        }
    };

    Service& TheService()
    {
        static Service* service = new Service; // outlives a worker left connecting at exit
        return *service;
    }

} // namespace

bool ShowDesktopNotification(const DesktopNotification& notification)
{
    // Never the "autolaunch:" GLib would fall back on without an address: it starts a bus.
    const std::string address = FindSessionBus();
    if (address.empty())
        return false;
    const Gio* gio = LoadGio();
    if (!gio)
        return false;
    Service& service = TheService();
    // A worker that lost its bus or never reached it has ended: it is replaced.
    if (service.worker && service.worker->GetPhase() == Worker::Done)
        service.End();
    if (!service.worker) {
        auto worker = std::make_shared<Worker>(*gio, address);
        try {
            service.thread = std::thread([worker] { worker->Run(); });
        } catch (const std::system_error&) {
            Trace("no thread for the session bus");
            return false;
        }
        service.worker = std::move(worker);
    }
    return service.worker->Hand(Request { Request::Notify, Utf8Text(notification.summary),
        Utf8Text(notification.body), notification.id, notification.window, notification.message });
}

namespace {

    bool HandClose(Request::Kind kind, HWND window, UINT message, uint32_t id)
    {
        // Without a worker that serves, nothing it showed is there to close; none is started.
        Service& service = TheService();
        if (!service.worker || service.worker->GetPhase() == Worker::Done)
            return false;
        Request request;
        request.kind = kind;
        request.id = id;
        request.window = window;
        request.message = message;
        return service.worker->Hand(std::move(request));
    }

} // namespace

bool CloseDesktopNotification(HWND window, UINT message, uint32_t id)
{
    return HandClose(Request::Close, window, message, id);
}

bool CloseDesktopNotifications(HWND window, UINT message)
{
    return HandClose(Request::CloseAll, window, message, 0);
}

void EndDesktopNotifications()
{
    Service& service = TheService();
    if (service.worker)
        service.worker->Settle(kEndWait);
    service.End();
}

} // namespace plat

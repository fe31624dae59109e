#pragma once

// A session bus of its own for one test (a private dbus-daemon, no services to start)
// with a desktop notification service on it: it records every Notify and
// CloseNotification call and can click a notification or close it as a desktop's
// notification daemon would. Use() points the
// program at the bus; the bus and the service go with the object.
//
//     NotificationService service;
//     ASSERT_TRUE(service.IsRunning());
//     service.Use();
//     ... driver.WaitFor([&] { return service.Count() == 1; });
//     service.Click(service.Notices()[0].id);

#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

#include <gio/gio.h>

#include <atomic>
#include <csignal>
#include <future>
#include <mutex>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

class NotificationService {
public:
    struct Notice {
        uint32_t id = 0; // the id the service gave it
        std::string appName;
        uint32_t replaces = 0;
        std::string summary;
        std::string body;
        std::vector<std::string> actions;
        std::string category;
    };

    // capabilities: what GetCapabilities answers ("body-markup": bodies are read as
    // markup). withService false: a bare bus, where nobody owns the service's name.
    explicit NotificationService(
        std::vector<std::string> capabilities = { "body", "actions" }, bool withService = true)
        : m_capabilities(std::move(capabilities))
    {
        if (StartBus() && withService)
            StartService();
    }
    ~NotificationService()
    {
        StopService();
        if (m_bus > 0) {
            kill(m_bus, SIGTERM);
            waitpid(m_bus, nullptr, 0);
        }
    }
    NotificationService(const NotificationService&) = delete;
    NotificationService& operator=(const NotificationService&) = delete;

    bool IsRunning() const { return !m_address.empty() && (m_connection || !m_serving); }
    const std::string& Address() const { return m_address; }
    // The program (in this process) finds this bus as its session bus.
    void Use() { m_sessionBus.emplace("DBUS_SESSION_BUS_ADDRESS", m_address); }

    std::vector<Notice> Notices() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notices;
    }
    size_t Count() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notices.size();
    }
    // The ids the program asked to close, in order.
    std::vector<uint32_t> Closed() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_closed;
    }
    // The service ends and starts again on the same bus, its ids from 1 again, as a
    // desktop's notification daemon does when it restarts.
    void Restart()
    {
        StopService();
        m_stop = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lastId = 0;
        }
        StartService();
    }
    // From now on calls are taken but neither answered nor recorded, as by a daemon that
    // hangs; they are answered when the service stops.
    void Withhold() { m_withhold = true; }
    size_t Withheld() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_withheld.size();
    }
    // The service answers again: the calls it held are handled now, in the order they came.
    void Release()
    {
        g_main_context_invoke(
            m_context,
            [](gpointer data) -> gboolean {
                auto& self = *static_cast<NotificationService*>(data);
                std::vector<GDBusMethodInvocation*> held;
                {
                    std::lock_guard<std::mutex> lock(self.m_mutex);
                    self.m_withhold = false;
                    held.swap(self.m_withheld);
                }
                for (GDBusMethodInvocation* invocation : held)
                    OnCall(g_dbus_method_invocation_get_connection(invocation), nullptr, nullptr, nullptr,
                        g_dbus_method_invocation_get_method_name(invocation),
                        g_dbus_method_invocation_get_parameters(invocation), invocation, &self);
                return G_SOURCE_REMOVE;
            },
            this);
    }
    // The user clicks the notification (its default action).
    bool Click(uint32_t id) { return Emit("ActionInvoked", g_variant_new("(us)", id, "default")); }
    // The notification goes away (reason 2: dismissed by the user).
    bool Close(uint32_t id) { return Emit("NotificationClosed", g_variant_new("(uu)", id, 2u)); }

private:
    bool StartBus()
    {
        m_folder.Write("bus.conf",
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:path="
                + m_folder.Native("bus")
                + "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                  "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                  "<allow own=\"*\"/></policy></busconfig>\n");
        int ready[2];
        if (pipe(ready) != 0)
            return false;
        const std::string config = "--config-file=" + m_folder.Native("bus.conf");
        const std::string print = "--print-address=" + std::to_string(ready[1]);
        const char* argv[] = { "dbus-daemon", config.c_str(), "--nofork", "--nopidfile", print.c_str(), nullptr };
        extern char** environ;
        const bool started
            = posix_spawnp(&m_bus, "dbus-daemon", nullptr, nullptr, const_cast<char**>(argv), environ) == 0;
        close(ready[1]);
        std::string line;
        char buffer[256];
        pollfd wait { ready[0], POLLIN, 0 };
        ssize_t n;
        while (started && line.find('\n') == std::string::npos && poll(&wait, 1, 10000) == 1
            && (n = read(ready[0], buffer, sizeof buffer)) > 0)
            line.append(buffer, static_cast<size_t>(n));
        close(ready[0]);
        if (!started)
            m_bus = 0;
        m_address = line.substr(0, line.find('\n'));
        return !m_address.empty();
    }

    void StartService()
    {
        m_serving = true;
        m_context = g_main_context_new();
        std::promise<void> started;
        m_thread = std::thread([this, &started] {
            g_main_context_push_thread_default(m_context);
            Serve();
            started.set_value();
            while (!m_stop)
                g_main_context_iteration(m_context, TRUE);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                for (GDBusMethodInvocation* invocation : m_withheld)
                    g_dbus_method_invocation_return_value(invocation, nullptr);
                m_withheld.clear();
            }
            if (m_connection) {
                g_dbus_connection_unregister_object(m_connection, m_registration);
                // Closed at once, so that the bus sees the service go before anything else.
                g_dbus_connection_close_sync(m_connection, nullptr, nullptr);
                g_object_unref(m_connection);
                m_connection = nullptr;
            }
            g_main_context_pop_thread_default(m_context);
        });
        started.get_future().wait(); // the service owns its name, or failed to
    }

    void Serve()
    {
        static const char kInterface[] = "<node><interface name='org.freedesktop.Notifications'>"
                                         "<method name='GetCapabilities'><arg type='as' direction='out'/></method>"
                                         "<method name='Notify'><arg type='s'/><arg type='u'/><arg type='s'/>"
                                         "<arg type='s'/><arg type='s'/><arg type='as'/><arg type='a{sv}'/>"
                                         "<arg type='i'/><arg type='u' direction='out'/></method>"
                                         "<method name='CloseNotification'><arg type='u'/></method>"
                                         "</interface></node>";
        GError* error = nullptr;
        GDBusConnection* connection = g_dbus_connection_new_for_address_sync(m_address.c_str(),
            GDBusConnectionFlags(
                G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &error);
        if (!connection) {
            g_clear_error(&error);
            return;
        }
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kInterface, nullptr);
        static const GDBusInterfaceVTable vtable { &NotificationService::OnCall, nullptr, nullptr, {} };
        m_registration = g_dbus_connection_register_object(connection, "/org/freedesktop/Notifications",
            node->interfaces[0], &vtable, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
        GVariant* owned = g_dbus_connection_call_sync(connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus", "RequestName", g_variant_new("(su)", "org.freedesktop.Notifications", 4u),
            G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr);
        if (owned)
            g_variant_unref(owned);
        m_connection = connection;
    }

    void StopService()
    {
        if (!m_thread.joinable())
            return;
        m_stop = true;
        g_main_context_wakeup(m_context);
        m_thread.join();
        g_main_context_unref(m_context);
    }

    bool Emit(const char* signal, GVariant* parameters)
    {
        g_variant_ref_sink(parameters);
        const bool sent = m_connection
            && g_dbus_connection_emit_signal(m_connection, nullptr, "/org/freedesktop/Notifications",
                "org.freedesktop.Notifications", signal, parameters, nullptr)
            && g_dbus_connection_flush_sync(m_connection, nullptr, nullptr);
        g_variant_unref(parameters);
        return sent;
    }

    static void OnCall(GDBusConnection* connection, const gchar*, const gchar*, const gchar*, const gchar* method,
        GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data)
    {
        auto& self = *static_cast<NotificationService*>(data);
        const std::string name = method;
        if (self.m_withhold) {
            std::lock_guard<std::mutex> lock(self.m_mutex);
            self.m_withheld.push_back(invocation);
        } else if (name == "GetCapabilities") {
            GVariantBuilder list;
            g_variant_builder_init(&list, G_VARIANT_TYPE("as"));
            for (const std::string& capability : self.m_capabilities)
                g_variant_builder_add(&list, "s", capability.c_str());
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(as)", &list));
        } else if (name == "Notify") {
            Notice notice;
            const gchar *app, *icon, *summary, *body;
            const gchar** actions = nullptr;
            GVariant* hints = nullptr;
            gint32 timeout = 0;
            g_variant_get(parameters, "(&su&s&s&s^a&s@a{sv}i)", &app, &notice.replaces, &icon, &summary, &body,
                &actions, &hints, &timeout);
            notice.appName = app;
            notice.summary = summary;
            notice.body = body;
            for (const gchar** a = actions; a && *a; ++a)
                notice.actions.push_back(*a);
            g_free(actions);
            const gchar* category = nullptr;
            if (g_variant_lookup(hints, "category", "&s", &category))
                notice.category = category;
            g_variant_unref(hints);
            std::lock_guard<std::mutex> lock(self.m_mutex);
            notice.id = notice.replaces ? notice.replaces : ++self.m_lastId;
            // Answered before it counts: a click the test sends on seeing it follows the
            // answer on the bus.
            g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", notice.id));
            self.m_notices.push_back(notice);
        } else if (name == "CloseNotification") {
            uint32_t id = 0;
            g_variant_get(parameters, "(u)", &id);
            g_dbus_method_invocation_return_value(invocation, nullptr);
            // As a daemon does: gone, reason 3 (closed by a call).
            g_dbus_connection_emit_signal(connection, nullptr, "/org/freedesktop/Notifications",
                "org.freedesktop.Notifications", "NotificationClosed", g_variant_new("(uu)", id, 3u), nullptr);
            // Counted after its answer: a click the test sends on seeing it follows.
            std::lock_guard<std::mutex> lock(self.m_mutex);
            self.m_closed.push_back(id);
        } else {
            g_dbus_method_invocation_return_value(invocation, nullptr);
        }
    }

    TempFolder m_folder;
    std::vector<std::string> m_capabilities;
    pid_t m_bus = 0;
    std::string m_address;
    bool m_serving = false;
    GMainContext* m_context = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_withhold { false };
    std::vector<GDBusMethodInvocation*> m_withheld;
    GDBusConnection* m_connection = nullptr;
    guint m_registration = 0;
    mutable std::mutex m_mutex;
    std::vector<Notice> m_notices;
    std::vector<uint32_t> m_closed;
    uint32_t m_lastId = 0;
    std::optional<ScopedEnv> m_sessionBus;
};

// A session bus that hangs: connections are taken and never answered. Use() points the
// program at it until the object goes.
class SilentBus {
public:
    SilentBus()
        : m_fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        const std::string path = m_folder.Native("silent");
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        m_listening = m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && listen(m_fd, 4) == 0;
        m_address = "unix:path=" + path;
    }
    ~SilentBus()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    SilentBus(const SilentBus&) = delete;
    SilentBus& operator=(const SilentBus&) = delete;

    bool IsListening() const { return m_listening; }
    void Use() { m_sessionBus.emplace("DBUS_SESSION_BUS_ADDRESS", m_address); }

private:
    TempFolder m_folder;
    int m_fd;
    bool m_listening = false;
    std::string m_address;
    std::optional<ScopedEnv> m_sessionBus;
};

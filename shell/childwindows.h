#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <typeindex>
#include <vector>

// The windows that the main window opens beside itself, one of each type. A window is
// made hidden on its first use by the function registered for its type, which also
// connects it, and lives until it goes by itself (OK destroys a tool window) or with
// the main window.
class ChildWindows
{
public:
    // How a window of type Window is made and connected. The order of registration is
    // the order in which the windows close with the main window.
    template<typename Window, typename Make>
    void add(Make make)
    {
        m_entries.push_back({typeid(Window), std::move(make), {}});
    }

    // The window of type Window, made now where it does not exist.
    template<typename Window>
    Window &get()
    {
        Entry &entry = find(typeid(Window));
        if (!entry.window)
            entry.window = entry.make();
        return static_cast<Window &>(*entry.window);
    }

    template<typename Window>
    bool exists() const
    {
        return !find(typeid(Window)).window.isNull();
    }

    // The window of type Window, made where needed, shown and brought to the front.
    template<typename Window>
    Window &show()
    {
        Window &window = get<Window>();
        bringToFront(window);
        return window;
    }

    // The windows that exist, in the order of registration.
    QList<QWidget *> existing() const;

    // Shows a window modeless: brought to the front, restored when minimised.
    static void bringToFront(QWidget &window);

private:
    struct Entry
    {
        std::type_index type;
        std::function<QWidget *()> make;
        QPointer<QWidget> window;
    };
    const Entry &find(std::type_index type) const;
    Entry &find(std::type_index type);

    std::vector<Entry> m_entries;
};

#pragma once

#include <sigc++/connection.h>

#include <utility>
#include <vector>

namespace app {

/// Signal connections that end with their owner. A window's views connect to its model, which
/// can outlive them for a moment (a folder scan still running holds it), so every connection a
/// view makes to the model goes here.
class Connections {
public:
    Connections() = default;
    ~Connections() { disconnect(); }
    Connections(const Connections&) = delete;
    Connections& operator=(const Connections&) = delete;

    void add(sigc::connection connection) { held.push_back(std::move(connection)); }
    Connections& operator+=(sigc::connection connection) {
        add(std::move(connection));
        return *this;
    }

    void disconnect() {
        for (auto& connection : held)
            connection.disconnect();
        held.clear();
    }

private:
    std::vector<sigc::connection> held;
};

} // namespace app

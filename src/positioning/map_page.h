#pragma once

#include <functional>
#include <string_view>

namespace korvex {

// A loaded web map page, as the map bridge sees it: named input elements whose values it sets
// and script functions it calls by name. The real page is a web engine view; tests record what
// the bridge does.
//
// User-interface thread only: the bridge calls it from there and the loaded handler runs there.
// Writes and calls reach the page in the order they were made.
class MapPage {
public:
    virtual ~MapPage() = default;

    // Sets the `value` of the page element with id `id`; an id the page lacks is passed over.
    // Only after the page has loaded.
    virtual void WriteValue(std::string_view id, std::string_view value) = 0;

    // Calls the page's function `name` without arguments; a name the page lacks is passed over.
    // Only after the page has loaded.
    virtual void CallFunction(std::string_view name) = 0;

    // `loaded` runs each time a page has finished loading, before any write or call for it.
    virtual void OnLoaded(std::function<void()> loaded) = 0;
};

} // namespace korvex

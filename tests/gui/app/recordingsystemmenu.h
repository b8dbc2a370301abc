#pragma once

#include <string>
#include <vector>

#include "platform/systemmenu.h"

// A system menu that can be extended, as on Windows: remembers the items and reports a chosen command
// for the message the test hands over.
class RecordingSystemMenu final : public platform::SystemMenu
{
public:
    struct Item
    {
        std::uintptr_t window;
        unsigned commandId;
        std::string text;
    };

    bool appendItem(std::uintptr_t window, unsigned commandId, const std::string& text) override
    {
        items.push_back({window, commandId, text});
        return true;
    }

    unsigned systemCommand(std::uintptr_t window, const std::string&, void* message) override
    {
        if (message != &chosen || items.empty() || window != items.front().window)
            return 0;
        return chosen;
    }

    std::vector<Item> items;
    unsigned chosen = 0; // its address plays the native message
};

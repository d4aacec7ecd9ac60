// The command table: every command's menu text, keys, status-bar prompt, tooltip and handler,
// and the menus and toolbar built from it.
#pragma once

#include "CommandIds.h"

#include <initializer_list>
#include <vector>

class CQuorvelwApp;

enum class CommandKind {
    Normal,
    Check,     // shows a check mark (the bar toggles)
    Disabled,  // no handler: always shown disabled
    Hidden,    // reachable by its keys only
};

struct CommandInfo {
    CommandId id;
    const char* menuText;     // "&Text\tKey" as the menu shows it; null for key-only commands
    const char* keys[2];      // QKeySequence portable texts; null where none
    const char* prompt;       // "status-bar prompt\ntooltip"
    void (CQuorvelwApp::*handler)();
    CommandKind kind;
    const char* themeIcon;    // freedesktop icon name; null for none
    const char* bundledIcon;  // resource path of the fallback icon
};

const std::vector<CommandInfo>& Commands();
const CommandInfo* FindCommand(CommandId id);

struct PopupInfo {
    const char* title;
    std::vector<CommandId> items;  // ID_SEPARATOR for a separator
};

const std::vector<PopupInfo>& Popups();
const std::vector<CommandId>& ToolbarButtons();

// The prompt half and the tooltip half of a command's string.
const char* PromptEnd(const char* prompt);

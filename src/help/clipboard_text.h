// Plain text onto the system clipboard.
#pragma once
#include <windows.h>

#include <string>

// Replaces the clipboard's content with `text` as CF_TEXT (ANSI, with its
// terminating zero), with `owner` as the clipboard's owner. One attempt to
// open it: if another program holds it, throws "Cannot open clipboard" and
// the clipboard keeps what it had.
void CopyTextToClipboard(HWND owner, const std::string& text);

// Decisions of the tray-icon hiding passes that need no window: which
// protocol reads the shell's buttons, how a text is matched, which command
// identifiers the passes hide and show, and where the records and the text
// sit in the block reserved in the shell's process.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How the shell's notification buttons are read: toolbar messages from
// version 5.1 on, tab-control messages below it.
enum class TrayProtocol { Toolbar, Tab };

// Compared as numbers, so that 10.0 reads its buttons like 6.1 does.
TrayProtocol ChooseTrayProtocol(unsigned major, unsigned minor);

// Same length, letters compared without regard to ASCII case (byte by byte).
bool TrayTextsEqual(const std::string& a, const std::string& b);

// The lookup's result for `text` among the buttons' texts: the position of
// the first equal text counted from the end of the toolbar, or -1.
int TrayButtonIndexOf(const std::vector<std::string>& texts, const std::string& text);

// The identifiers the hiding pass sends TB_HIDEBUTTON for, in order: for each
// position i with k = TrayButtonIndexOf(texts, texts[i]), first k + 1, then k.
std::vector<int> HidingPassIds(const std::vector<std::string>& texts);
// The identifiers the restoring pass shows, one per position: k.
std::vector<int> RestoringPassIds(const std::vector<std::string>& texts);
// Identifiers that `hidden` holds and `shown` does not, each once, in the
// order they were first hidden: what a restoring pass still has to show.
std::vector<int> IdsLeftHidden(const std::vector<int>& hidden, const std::vector<int>& shown);

// The button count a pass works with: the shell's answer, 0 for a negative
// one, at most kMaxTrayButtons. The answer comes from another process; a
// hostile count must neither make a pass endless nor its matching (quadratic
// in the count) take minutes.
constexpr int kMaxTrayButtons = 1024;
int CappedTrayCount(long long reported);

// Bitness of the shell's process: a 64-bit system runs a 64-bit shell unless
// the shell itself runs under the 32-bit layer.
bool ShellIs64Bit(bool ownProcess64, bool ownProcessWow64, bool shellWow64);

// Where the record and the text buffer sit in the remote block.
struct TrayBlockLayout {
    std::size_t recordSize; // TBBUTTON or TCITEMA of the shell's bitness
    std::size_t textOffset; // never inside the record
    std::size_t textCapacity; // what the shell may write there (tab protocol)
};
constexpr std::size_t kTrayBlockSize = 4096;
constexpr std::size_t kTrayTextRead = 1025; // bytes read back; the text is at most 1024
constexpr std::size_t kTabTextCapacity = 2048;
TrayBlockLayout TrayBlockLayoutFor(TrayProtocol protocol, bool shell64);

// The command identifier of a button record read back from the shell (the
// 32-bit field at offset 4, the same for both bitnesses); 0 for a short record.
int ButtonRecordCommandId(const std::vector<unsigned char>& record);
// A tab item record asking for the text (TCIF_TEXT) into `textAddress`.
std::vector<unsigned char> TabItemRecord(std::uint64_t textAddress, bool shell64);
// The text in a buffer read back: the bytes before the first zero, at most
// kTrayTextRead - 1 of them.
std::string TrayTextFromBuffer(const std::vector<char>& buffer);

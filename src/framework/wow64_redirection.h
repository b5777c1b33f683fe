// A 32-bit program on 64-bit Windows sees the 32-bit system folder in place
// of System32 (file-system redirection). Starting what a shortcut names, as
// the 64-bit Explorer would, needs the real folder for a moment.
#pragma once

// Turns the redirection off on the calling thread for the owner's life and
// back on at its end. Does nothing where there is no redirection (32-bit
// Windows, a 64-bit process); the functions are looked up at run time since
// Windows before XP x64 has none of them.
class FileSystemRedirectionOff {
public:
    FileSystemRedirectionOff();
    ~FileSystemRedirectionOff();
    FileSystemRedirectionOff(const FileSystemRedirectionOff&) = delete;
    FileSystemRedirectionOff& operator=(const FileSystemRedirectionOff&) = delete;

    // Whether this owner turned it off (and will turn it back on).
    bool Off() const { return off_; }

private:
    void* previous_ = nullptr;
    bool off_ = false;
};

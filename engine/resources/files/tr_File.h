// tr_File: one file in the user folder, opened with one of six fopen modes.
// The full path is fixed at construction (user folder + name); when the user
// folder is unknown then, every operation fails. The file is not opened by
// the constructor; the destructor closes it. Whole-file replacement of user
// data should go through tr_FileManager::WriteUserFile, which is atomic.
#pragma once

#include <cstdio>
#include <string>

class tr_File {
public:
    enum Mode : int {
        MODE_READ_BINARY = 0,   // "rb"
        MODE_READ_TEXT = 1,     // "r"
        MODE_WRITE_BINARY = 2,  // "wb"
        MODE_WRITE_TEXT = 3,    // "w"
        MODE_APPEND_BINARY = 4, // "ab"
        MODE_APPEND_TEXT = 5,   // "a"
    };

    explicit tr_File(const std::string& name);
    // For a file manager that has already formed the full path.
    tr_File(const std::string& name, const std::string& full_path)
        : name_(name), full_path_(full_path) {}
    tr_File(const tr_File&) = delete;
    tr_File& operator=(const tr_File&) = delete;
    virtual ~tr_File();

    // Opens (re-opening if open) and measures the size; false on an unknown
    // mode, anything but a regular file (tr_FileReader), or a file too large
    // for an int size.
    virtual bool Open(int mode);
    virtual void Close();
    // One block of n bytes: n when all of it was transferred, else 0.
    virtual int Read(void* buffer, int n);
    virtual int Write(const void* buffer, int n);
    virtual bool Delete();
    // The size measured by the last successful Open.
    virtual int GetSize() const { return size_; }

    bool IsOpen() const { return stream_ != nullptr; }
    const std::string& GetName() const { return name_; }
    const std::string& GetFullPath() const { return full_path_; }

private:
    std::string name_;
    std::string full_path_;
    FILE* stream_ = nullptr;
    int size_ = 0;
};

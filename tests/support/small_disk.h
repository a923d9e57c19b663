// SPDX-License-Identifier: MIT
// A real full disk for the tests: a small tmpfs mounted on a folder (root only;
// mounted() says whether it is there).
#pragma once

#include <sys/mount.h>

#include <string>

class SmallDisk {
public:
    // `size` as mount takes it: "64k".
    SmallDisk(const std::string& where, const char* size) : where_(where)
    {
        const std::string options = std::string("size=") + size;
        mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_) {
            ::umount2(where_.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string where_;
    bool mounted_ = false;
};

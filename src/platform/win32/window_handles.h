// Move-only owners for the handles the window code creates.
#pragma once

#include <windows.h>

#include <utility>

namespace qm::platform {

class UniqueIcon {
public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    UniqueIcon(UniqueIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    UniqueIcon& operator=(UniqueIcon&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;
    ~UniqueIcon() { Reset(); }

    HICON Get() const { return icon_; }

private:
    void Reset() {
        if (icon_ != nullptr) DestroyIcon(icon_);
        icon_ = nullptr;
    }
    HICON icon_ = nullptr;
};

}  // namespace qm::platform

#include "frontend/qt/picture.h"

#include <map>
#include <mutex>

namespace tolvane::qt {

namespace {

// Pictures are made on the window's thread but their handles travel with the
// tray's records, which may be built on a worker thread.
class IconRegistry {
  public:
    std::uintptr_t add(const QIcon& icon) {
        const std::lock_guard lock(mutex_);
        icons_.emplace(++lastHandle_, icon);
        return lastHandle_;
    }
    void remove(std::uintptr_t handle) {
        const std::lock_guard lock(mutex_);
        icons_.erase(handle);
    }
    QIcon find(std::uintptr_t handle) {
        const std::lock_guard lock(mutex_);
        const auto found = icons_.find(handle);
        return found == icons_.end() ? QIcon() : found->second;
    }

  private:
    std::mutex mutex_;
    std::map<std::uintptr_t, QIcon> icons_;
    std::uintptr_t lastHandle_ = 0;
};

IconRegistry& registry() {
    static IconRegistry instance;
    return instance;
}

class IconPicture : public Picture {
  public:
    explicit IconPicture(const QIcon& icon) : handle_(registry().add(icon)) {}
    ~IconPicture() override { registry().remove(handle_); }
    IconPicture(const IconPicture&) = delete;
    IconPicture& operator=(const IconPicture&) = delete;

    int type() const override { return kIcon; }
    std::uintptr_t handle() const override { return handle_; }

  private:
    std::uintptr_t handle_;
};

} // namespace

std::shared_ptr<Picture> makeIconPicture(const QIcon& icon) {
    return std::make_shared<IconPicture>(icon);
}

QIcon iconOfHandle(std::uintptr_t handle) {
    return registry().find(handle);
}

} // namespace tolvane::qt

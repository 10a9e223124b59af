#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// Tells whether another instance of the program is already running.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // Claims the program for this process; false when another running instance holds it.
    virtual bool acquire() = 0;
};

// A lock file per key in the temporary directory; a lock left by a crashed process counts as free.
class LockFileInstanceGuard final : public InstanceGuard {
public:
    explicit LockFileInstanceGuard(const QString& key);
    bool acquire() override;

private:
    std::unique_ptr<QLockFile> lock;
};

} // namespace platform

#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace platform {

// Tells whether another instance of the program is already running.
class InstanceGuard {
public:
    enum class Anspruch {
        Erhalten,
        Belegt,    // another running instance holds the program
        Unmöglich, // the claim itself failed: its folder is missing, full or not writable
    };
    virtual ~InstanceGuard() = default;
    // Claims the program for this process.
    virtual Anspruch acquire() = 0;
    // Where the claim is kept, for telling the user when it fails.
    virtual QString ordner() const = 0;
};

// A lock file per key in the temporary directory; a lock left by a crashed process counts as free.
class LockFileInstanceGuard final : public InstanceGuard {
public:
    explicit LockFileInstanceGuard(const QString& key);
    Anspruch acquire() override;
    QString ordner() const override;

private:
    std::unique_ptr<QLockFile> lock;
};

} // namespace platform

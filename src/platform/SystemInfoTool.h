#pragma once

namespace platform {

// Starts the platform's system information tool.
class SystemInfoTool {
public:
    virtual ~SystemInfoTool() = default;
    // False when there is no such tool or it could not be started.
    virtual bool start() = 0;
};

// On Windows the tool named in the registry (MSINFO32); elsewhere there is none.
class NativeSystemInfoTool final : public SystemInfoTool {
public:
    bool start() override;
};

} // namespace platform

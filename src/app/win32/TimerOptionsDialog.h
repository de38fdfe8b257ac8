#pragma once
// The time-base settings (template 308): tick count, performance counter or time-stamp
// counter with its frequency, and the test windows' refresh interval.
#include <cstdint>

#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/EditControl.h"
#include "framework/win32/RadioGroup.h"
#include "framework/win32/UpDownControl.h"

namespace sektra {

class TimerOptionsDialog : public Dialog {
public:
    TimerOptionsDialog(std::int32_t timerMode, std::uint32_t perFrqLow, std::uint32_t perFrqHigh,
                       std::int32_t showInterval);
    ~TimerOptionsDialog() override;

    // What the user confirmed (read after DoModal returned 0).
    virtual void GetResult(std::int32_t& timerMode, std::uint64_t& ticksPerSecond, std::int32_t& showInterval);
    virtual void OnInitDialog(MessageRecord& record);
    virtual void OnCommand(MessageRecord& record);
    virtual void OnModeChanged();
    virtual void OnOK();
    virtual int CreateControls();
    void OnMessage(MessageRecord& record) override;

private:
    Control* counterFrequency = nullptr;
    Control* timeStampFrequency = nullptr;
    EditControl* intervalEdit = nullptr;
    UpDownControl* intervalSpin = nullptr;
    RadioGroup* modeButtons = nullptr;
    std::int32_t timerMode;
    std::uint64_t ticksPerSecond;
    std::int32_t showInterval;
};

// Whether the processor has a time-stamp counter (CPUID leaf 1, EDX bit 4).
bool HasTimeStampCounter();

}  // namespace sektra

#pragma once
// What the three test windows share: the controls, the refresh timer, the test thread, the
// states Running, Stopped and Finished with their buttons and captions, the figures shown on
// every tick, and saving the results. Each window adds how it sets its test up (OnInitDialog),
// its block text and units, and its own table in the saved file.
//
//   state     entered by                     close  stop  start  save             caption suffix  focus
//   Running   OnStart                        off    on    off    off              string 43       stop
//   Stopped   OnStop, OnTestFailed           on     off   on     off              string 44       close
//   Finished  OnTestFinished                 on     off   on     on at full       string 45       save, or
//                                                                progress                         close
// The thread also reports the end of a run that 停止 cut short; short of full progress that run
// stays Stopped. Once a run has ended the finish label shows when, and Esc closes the window.
// 画像保存 follows 保存. Every tick also shows IOPS and command times and repaints the graph.
#include <windows.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

#include "engine/LatencyFigures.h"
#include "engine/LatencyHistogram.h"
#include "engine/TestThread.h"
#include "engine/win32/UiTimer.h"
#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/ProgressBar.h"
#include "testwindows/CsvTables.h"
#include "testwindows/GraphPicture.h"

namespace sektra {

class Device;

class TestWindow : public Dialog {
public:
    TestWindow(Device* device, std::uint32_t itemCode, std::uint32_t ticksPerSecondLow,
               std::uint32_t ticksPerSecondHigh, std::uint32_t timerMode, std::uint32_t showInterval,
               std::uint32_t performCells);
    // Stops and deletes the thread before anything it reports to goes.
    ~TestWindow() override;

    void OnMessage(MessageRecord& record) override;

    virtual void OnCommand(MessageRecord& record);
    virtual void OnInitDialog(MessageRecord& record) = 0;
    virtual void OnCloseButton();
    virtual void OnStop();
    virtual void OnStart();
    virtual void OnSave();
    virtual void OnTick();
    virtual void OnTestFinished();
    virtual void OnTestFailed(MessageRecord& record);
    virtual int CreateControls();
    virtual void Refresh();
    // The graph's WM_DRAWITEM: the picture of this moment, painted through a memory bitmap.
    virtual void OnDrawItem(MessageRecord& record);
    // Saves the graph as a PNG or BMP file (by the chosen name's extension).
    virtual void OnSaveImage();

    const std::wstring& GetTitlePrefix() const { return titlePrefix; }
    TestThread* GetThread() const { return thread.get(); }

protected:
    // Progress of a complete run: 1000 for the transfer tests, 200 for the others.
    virtual std::uint32_t FullProgress() const = 0;
    // The block text of a snapshot; windows without one leave it empty.
    virtual std::wstring BlockText(const TestSnapshot& snapshot) const = 0;
    // The best, average and worst figures with their unit.
    virtual std::wstring FigureText(std::uint32_t value) const = 0;
    // Seek and access times in µs, shortest first, rather than rates in KB/s.
    virtual bool FiguresAreTimes() const { return false; }
    // The window's own table after the common head of the saved file.
    virtual void WriteTable(CsvFile& csv, const CsvLabels& labels) = 0;
    // The graph at `width` × `height` pixels; false for a window without one.
    virtual bool BuildGraph(int /*width*/, int /*height*/, int /*textHeight*/, GraphPicture* /*picture*/) {
        return false;
    }
    // The distribution of the command times of the last tick, as the random and seek windows draw it.
    GraphPicture LatencyDistribution(int width, int height, int textHeight) const;
    GraphTexts GraphWords() const;

    // The steps every OnInitDialog begins and ends with.
    bool BeginInit(MessageRecord& record, int progressMaximum);
    void FinishInit(std::unique_ptr<TestThread> newThread, std::wstring title);
    // The window's parent (the main window), which owns the option dialogs.
    HWND Owner() const;
    void CloseWindow();

    TestSnapshot TakeSnapshot() const;
    // The buttons of a run that starts (true) or has ended (false), and where the focus goes.
    void SetState(bool running);
    // A run ended: its end time is kept (the first time only) and the focus leaves 停止.
    void EndRun();
    void FocusButton(Control& button);
    void SetCaption(UINT suffixId);
    // Copies the command times, shows their figures and has the graph painted again.
    void RefreshLatency();
    // The graph as the window shows it now; false when the window has none.
    bool CurrentGraph(GraphPicture* picture);

    std::unique_ptr<Control> closeButton;
    std::unique_ptr<Control> stopButton;
    std::unique_ptr<Control> startButton;
    std::unique_ptr<Control> saveButton;
    std::unique_ptr<Control> deviceLabel;
    std::unique_ptr<Control> blockRangeLabel;  // not in the cache and buffer window
    std::unique_ptr<Control> elapsedLabel;
    std::unique_ptr<Control> countLabel;
    std::unique_ptr<Control> clockLabel;
    std::unique_ptr<Control> finishLabel;
    std::unique_ptr<Control> bestLabel;
    std::unique_ptr<Control> averageLabel;
    std::unique_ptr<Control> worstLabel;
    std::unique_ptr<Control> iopsLabel;
    std::unique_ptr<Control> p50Label;
    std::unique_ptr<Control> p99Label;
    std::unique_ptr<Control> maxLatencyLabel;
    std::unique_ptr<Control> saveImageButton;  // null in a window without a graph
    HWND graph = nullptr;                      // the graph's control, if the window has one
    std::unique_ptr<ProgressBar> progressBar;
    std::unique_ptr<UiTimer> timer;
    std::unique_ptr<TestThread> thread;
    Device* device;  // not owned
    std::uint32_t itemCode;
    std::uint64_t ticksPerSecond;
    std::uint32_t timerMode;
    std::uint32_t showInterval;
    std::uint32_t performCells;
    std::wstring titlePrefix;
    bool stoppedByUser = false;  // 停止 was clicked during this run
    std::time_t endTime = 0;     // when this run ended; 0 while it runs
    // The thread's command times as of the last tick: a member, as the copy is some 59 KB.
    LatencyHistogram latencyCopy;
    LatencyFigures latencyFigures;
};

// Builds the window for a test row (code & 0xFF00: 0x1300, 0x1900, 0x1A00 the cache window,
// template 311; 0x1400 the seek window, 312; 0x1500 to 0x1800 the transfer window, 305), runs
// it modally with `owner` as its parent and deletes it when it has closed. Other codes open
// nothing.
// `transferChoices` (may be null: the defaults) is what a transfer test runs with; the transfer
// options dialog changes it.
void RunTestWindowFor(HWND owner, Device* device, std::uint32_t itemCode, std::uint64_t ticksPerSecond,
                      std::uint32_t timerMode, std::uint32_t showInterval, std::uint32_t performCells,
                      TransferChoices* transferChoices = nullptr);

}  // namespace sektra

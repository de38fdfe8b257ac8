// The part of TestWindow that shows command times: the IOPS and latency labels, the graph and
// saving it as a picture.
#include "device/Device.h"
#include "language/ResourceIds.h"
#include "testwindows/LatencyGraph.h"
#include "testwindows/LatencyTexts.h"
#include "testwindows/TestTitles.h"
#include "testwindows/win32/GraphPainter.h"
#include "testwindows/win32/ResourceText.h"
#include "testwindows/win32/SaveFileDialog.h"
#include "testwindows/win32/TestWindow.h"

namespace sektra {
namespace {

HFONT DialogFont(HWND dialog) { return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)); }

}  // namespace

void TestWindow::RefreshLatency() {
    if (!thread) return;
    thread->GetLatency(&latencyCopy);
    latencyFigures = SummarizeLatency(latencyCopy, thread->GetTicksPerSecond(), thread->GetWallTicks());
    // Before the first clean command there is nothing to show.
    const bool any = latencyFigures.commands != 0;
    iopsLabel->SetText(any ? IopsText(latencyFigures.iops) : std::wstring());
    p50Label->SetText(any ? LatencyText(latencyFigures.p50Ns) : std::wstring());
    p99Label->SetText(any ? LatencyText(latencyFigures.p99Ns) : std::wstring());
    maxLatencyLabel->SetText(any ? LatencyText(latencyFigures.maximumNs) : std::wstring());
    // No erasing: the picture covers the whole control.
    if (graph != nullptr) ::InvalidateRect(graph, nullptr, FALSE);
}

GraphTexts TestWindow::GraphWords() const {
    return {ResourceText(IDS_GRAPH_RATE),   ResourceText(IDS_GRAPH_POSITION), ResourceText(IDS_GRAPH_SHARE),
            ResourceText(IDS_GRAPH_LATENCY), ResourceText(IDS_GRAPH_AVERAGE), ResourceText(IDS_GRAPH_EMPTY)};
}

GraphPicture TestWindow::LatencyDistribution(int width, int height, int textHeight) const {
    const std::uint64_t ticksPerSecond = thread ? thread->GetTicksPerSecond() : 0;
    return BuildLatencyGraph(BinLatencies(latencyCopy, ticksPerSecond), latencyFigures.p50Ns, latencyFigures.p99Ns,
                             width, height, textHeight, GraphWords());
}

bool TestWindow::CurrentGraph(GraphPicture* picture) {
    if (graph == nullptr || !thread) return false;
    RECT client{};
    ::GetClientRect(graph, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return false;
    return BuildGraph(width, height, GraphTextHeight(DialogFont(GetHandle())), picture);
}

void TestWindow::OnDrawItem(MessageRecord& record) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(record.lParam);
    if (item == nullptr || item->CtlID != IDC_TEST_GRAPH) return;
    GraphPicture picture;
    if (CurrentGraph(&picture)) {
        PaintGraphBuffered(item->hDC, item->rcItem.left, item->rcItem.top, picture, DialogFont(GetHandle()));
    } else {
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    record.result = TRUE;
}

void TestWindow::OnSaveImage() {
    // Like the results, only the graph of a complete run is saved.
    if (!saveImageButton || !saveImageButton->IsEnabled()) return;
    GraphPicture picture;
    Image image;
    if (!CurrentGraph(&picture) || !RenderGraph(picture, DialogFont(GetHandle()), &image)) return;
    SaveFileDialog dialog(GetHandle());
    dialog.AddFilter(ResourceText(IDS_IMAGE_PNG_NAME).c_str(), ResourceText(IDS_IMAGE_PNG_PATTERN).c_str());
    dialog.AddFilter(ResourceText(IDS_IMAGE_BMP_NAME).c_str(), ResourceText(IDS_IMAGE_BMP_PATTERN).c_str());
    dialog.SetDefaultExtension(ResourceText(IDS_IMAGE_EXTENSION).c_str());
    dialog.SetFileName(InitialSaveName(DeviceTextWide(device->GetModelName()), titlePrefix).c_str());
    if (dialog.Show() != 0) return;
    const wchar_t* path = dialog.GetFileName();
    const std::vector<std::uint8_t> bytes = IsBmpPath(path) ? EncodeBmp(image) : EncodePng(image);
    if (WriteImageFile(path, bytes) != 0) {
        const std::wstring text = ResourceText(IDS_IMAGE_SAVE_FAILED);
        const std::wstring caption = ResourceText(IDS_ERROR);
        MessageBoxW(GetHandle(), text.c_str(), caption.c_str(), MB_ICONHAND);
    }
}

}  // namespace sektra

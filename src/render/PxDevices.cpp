#include "render/PxDevices.h"

#include <array>

namespace tvx {

namespace {

constexpr std::array<std::uint32_t, 5> kHighDisplayFormats = {
    gfx::format::A8R8G8B8, gfx::format::X8R8G8B8, gfx::format::R5G6B5, gfx::format::A1R5G5B5,
    gfx::format::X1R5G5B5};
constexpr std::array<std::uint32_t, 5> kLowDisplayFormats = {
    gfx::format::R5G6B5, gfx::format::A1R5G5B5, gfx::format::X1R5G5B5, gfx::format::A8R8G8B8,
    gfx::format::X8R8G8B8};
constexpr std::array<std::uint32_t, 6> kHighDepthFormats = {
    gfx::format::D32,   gfx::format::D24S8, gfx::format::D24X4S4,
    gfx::format::D24X8, gfx::format::D15S1, gfx::format::D16};
constexpr std::array<std::uint32_t, 6> kLowDepthFormats = {
    gfx::format::D16,   gfx::format::D15S1,   gfx::format::D32,
    gfx::format::D24S8, gfx::format::D24X4S4, gfx::format::D24X8};

constexpr std::int32_t kTrue = -1;  // the platform writes true as all bits set

}  // namespace

TPxDevice::TPxDevice(TComponent* owner, gfx::IGraphicsApi& api) : TPxPublisher(owner), api_(api) {}

TPxDevice::~TPxDevice() {
  // The owner may be half destroyed, so OnFinalize is not called; subscribers still are told.
  if (active_) Notify(NotifyFinalize);
  if (deviceCreated_) api_.ReleaseDevice();
  if (objectCreated_) api_.ReleaseObject();
}

void TPxDevice::ApplyIfActive() {
  if (active_) ApplyParameters();
}

void TPxDevice::SetWidth(std::int32_t value) {
  width_ = value;
  ApplyIfActive();
}

void TPxDevice::SetHeight(std::int32_t value) {
  height_ = value;
  ApplyIfActive();
}

void TPxDevice::SetWindowed(bool value) {
  windowed_ = value;
  ApplyIfActive();
}

void TPxDevice::SetVSync(bool value) {
  vsync_ = value;
  ApplyIfActive();
}

void TPxDevice::SetHardwareTL(bool value) {
  hardwareTL_ = value;
  ApplyIfActive();
}

void TPxDevice::SetBitDepth(TBitDepth value) {
  if (!active_) bitDepth_ = value;
}

void TPxDevice::SetRefresh(std::int32_t value) {
  if (!active_) refresh_ = value;
}

void TPxDevice::SetDepthBuffer(bool value) {
  if (!active_) depthBuffer_ = value;
}

void TPxDevice::SetWindowHandle(std::uintptr_t value) {
  if (!active_) windowHandle_ = value;
}

std::uintptr_t TPxDevice::DeviceWindow() const {
  if (windowHandle_ != 0) return windowHandle_;
  if (const auto* form = dynamic_cast<const TForm*>(Owner())) return form->WindowHandle();
  return 0;
}

std::uint32_t TPxDevice::FindFullScreenFormat() const {
  const auto& candidates =
      bitDepth_ == TBitDepth::bdHigh ? kHighDisplayFormats : kLowDisplayFormats;
  for (const std::uint32_t format : candidates) {
    const std::uint32_t count = api_.GetAdapterModeCount(format);
    for (std::uint32_t i = 0; i < count; ++i) {
      gfx::DisplayMode mode;
      if (!gfx::Succeeded(api_.EnumAdapterModes(format, i, mode))) continue;
      const bool sizeMatches = static_cast<std::int64_t>(mode.width) == width_ &&
                               static_cast<std::int64_t>(mode.height) == height_;
      const bool rateMatches =
          refresh_ == 0 || static_cast<std::int64_t>(mode.refreshRate) == refresh_;
      if (sizeMatches && rateMatches) return format;
    }
  }
  return gfx::format::Unknown;
}

std::uint32_t TPxDevice::FindDepthFormat() const {
  const auto& candidates = bitDepth_ == TBitDepth::bdHigh ? kHighDepthFormats : kLowDepthFormats;
  for (const std::uint32_t format : candidates) {
    if (gfx::Succeeded(api_.CheckDeviceFormat(gfx::devtype::Hal, DisplayFormat(),
                                              gfx::usage::DepthStencil, gfx::rtype::Surface,
                                              format))) {
      return format;
    }
  }
  return gfx::format::Unknown;
}

void TPxDevice::BuildPresentParameters() {
  parameters_ = gfx::PresentParameters{};
  parameters_.windowed = windowed_ ? kTrue : 0;
  parameters_.deviceWindow = DeviceWindow();
  parameters_.backBufferWidth = static_cast<std::uint32_t>(width_);
  parameters_.backBufferHeight = static_cast<std::uint32_t>(height_);
  parameters_.swapEffect = gfx::present::SwapEffectDiscard;
  if (windowed_) {
    gfx::DisplayMode mode;
    if (gfx::Succeeded(api_.GetAdapterDisplayMode(mode)))
      parameters_.backBufferFormat = mode.format;
  } else {
    parameters_.backBufferFormat = FindFullScreenFormat();
  }
  parameters_.fullScreenRefreshRate = static_cast<std::uint32_t>(refresh_);
  parameters_.presentationInterval =
      vsync_ ? gfx::present::IntervalOne : gfx::present::IntervalImmediate;
  if (depthBuffer_) {
    parameters_.enableAutoDepthStencil = kTrue;
    parameters_.flags = gfx::present::FlagDiscardDepthStencil;
    parameters_.autoDepthStencilFormat = FindDepthFormat();
  }
}

bool TPxDevice::CreateDevice(std::uint32_t behavior) {
  deviceCreated_ = gfx::Succeeded(
      api_.CreateDevice(gfx::devtype::Hal, parameters_.deviceWindow, behavior, parameters_));
  return deviceCreated_;
}

bool TPxDevice::Initialize() {
  if (active_ || objectCreated_ || deviceCreated_) return false;
  if (!gfx::Succeeded(api_.CreateObject(gfx::SdkVersion))) return false;
  objectCreated_ = true;
  BuildPresentParameters();
  bool created = hardwareTL_ && CreateDevice(gfx::create::HardwareVertexProcessing);
  if (!created) created = CreateDevice(gfx::create::SoftwareVertexProcessing);
  bool success = created && gfx::Succeeded(api_.GetDeviceCaps(caps_));
  lost_ = false;
  active_ = success;
  if (!success) return false;
  success = Notify(NotifyInitialize);
  if (!success) Finalize();
  if (OnInitialize) {
    OnInitialize(this, success);
    if (!success) Finalize();
  }
  return success;
}

bool TPxDevice::Finalize() {
  if (!active_) return false;
  if (OnFinalize) OnFinalize(this);
  Notify(NotifyFinalize);
  api_.ReleaseDevice();
  deviceCreated_ = false;
  api_.ReleaseObject();
  objectCreated_ = false;
  active_ = false;
  return true;
}

bool TPxDevice::ApplyParameters() {
  if (!active_) return false;
  Notify(NotifyLost);
  BuildPresentParameters();
  const bool reset = gfx::Succeeded(api_.Reset(parameters_));
  if (reset) Notify(NotifyRestored);
  return reset;
}

bool TPxDevice::ClearTarget(CanvasColor color) {
  std::uint32_t flags = gfx::clear::Target;
  if (depthBuffer_) flags |= gfx::clear::ZBuffer;
  return gfx::Succeeded(api_.Clear(flags, DeviceColor(color), 1.0f, 0));
}

bool TPxDevice::BeginFrame() {
  const bool begun = gfx::Succeeded(api_.BeginScene());
  if (begun) Notify(NotifyBeginScene);
  return begun;
}

bool TPxDevice::EndFrame() {
  // Subscribers hear first, so the canvas sends its last batch inside the scene.
  Notify(NotifyEndScene);
  return gfx::Succeeded(api_.EndScene());
}

bool TPxDevice::Render(CanvasColor color, bool clearFirst) {
  if (!active_ || !OnRender) return false;
  if (clearFirst && !ClearTarget(color)) return false;
  if (!BeginFrame()) return false;
  OnRender(this);
  return EndFrame();
}

bool TPxDevice::PresentFrame() {
  if (!active_) return false;
  gfx::Result r = api_.Present();
  if (r == gfx::DeviceLost) {
    if (!lost_) {
      Notify(NotifyLost);
      lost_ = true;
    }
    r = api_.TestCooperativeLevel();
    if (r == gfx::DeviceNotReset) {
      r = api_.Reset(parameters_);
      if (gfx::Succeeded(r) && lost_) {
        Notify(NotifyRestored);
        lost_ = false;
      }
    }
  }
  if (r == gfx::DriverInternalError) {
    r = api_.Reset(parameters_);
    if (!gfx::Succeeded(r)) Finalize();
  }
  return gfx::Succeeded(r);
}

TPxDeviceSubscriber::TPxDeviceSubscriber(TComponent* owner) : TPxSubscriber(owner) {}

TPxDevice* TPxDeviceSubscriber::Device() const { return dynamic_cast<TPxDevice*>(Publisher()); }

bool TPxDeviceSubscriber::AcceptsPublisher(TComponent* candidate) const {
  return dynamic_cast<TPxDevice*>(candidate) != nullptr;
}

}  // namespace tvx

// The display device: creates the graphics device for a window from a few properties, runs
// one frame (clear, begin scene, OnRender, end scene), presents it and recovers a lost
// device. Its subscribers (canvas, images, fonts) never ask it for anything; they follow
// its notifications: initialise after creation, finalise before release, lost and restored
// around every reset, begin and end of each scene. The api reference, present parameters
// and caps are the device state the whole rendering subsystem shares through Device().
#pragma once

#include <cstdint>
#include <functional>

#include "platform/GraphicsApi.h"
#include "render/PxDef.h"
#include "render/PxSubsc.h"

namespace tvx {

enum class TBitDepth : std::uint8_t { bdLow, bdHigh };

class TPxDevice : public TPxPublisher {
 public:
  using TNotifyEvent = std::function<void(TComponent* sender)>;
  using TInitializeEvent = std::function<void(TComponent* sender, bool& success)>;

  TPxDevice(TComponent* owner, gfx::IGraphicsApi& api);
  ~TPxDevice() override;

  // Shared device state.
  gfx::IGraphicsApi& Api() const { return api_; }
  const gfx::PresentParameters& PresentParameters() const { return parameters_; }
  const gfx::DeviceCaps& Caps() const { return caps_; }
  std::uint32_t DisplayFormat() const { return parameters_.backBufferFormat; }
  bool Active() const { return active_; }
  bool Lost() const { return lost_; }

  // Width, Height, Windowed, VSync and HardwareTL apply at once while active; BitDepth,
  // Refresh, DepthBuffer and WindowHandle are ignored while active.
  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t value);
  std::int32_t Height() const { return height_; }
  void SetHeight(std::int32_t value);
  TBitDepth BitDepth() const { return bitDepth_; }
  void SetBitDepth(TBitDepth value);
  std::int32_t Refresh() const { return refresh_; }
  void SetRefresh(std::int32_t value);
  bool Windowed() const { return windowed_; }
  void SetWindowed(bool value);
  bool VSync() const { return vsync_; }
  void SetVSync(bool value);
  bool HardwareTL() const { return hardwareTL_; }
  void SetHardwareTL(bool value);
  bool DepthBuffer() const { return depthBuffer_; }
  void SetDepthBuffer(bool value);
  std::uintptr_t WindowHandle() const { return windowHandle_; }
  void SetWindowHandle(std::uintptr_t value);

  TNotifyEvent OnFinalize;
  TInitializeEvent OnInitialize;
  TNotifyEvent OnRender;

  bool Initialize();
  bool Finalize();
  bool Render(CanvasColor color, bool clearFirst);
  bool PresentFrame();
  bool ClearTarget(CanvasColor color);
  bool BeginFrame();
  bool EndFrame();
  bool ApplyParameters();

 private:
  void BuildPresentParameters();
  std::uintptr_t DeviceWindow() const;
  std::uint32_t FindFullScreenFormat() const;
  std::uint32_t FindDepthFormat() const;
  bool CreateDevice(std::uint32_t behavior);
  void ApplyIfActive();

  gfx::IGraphicsApi& api_;
  gfx::PresentParameters parameters_{};
  gfx::DeviceCaps caps_{};
  bool objectCreated_ = false;
  bool deviceCreated_ = false;

  std::int32_t width_ = 640;
  std::int32_t height_ = 480;
  TBitDepth bitDepth_ = TBitDepth::bdHigh;
  std::int32_t refresh_ = 0;
  bool windowed_ = true;
  bool vsync_ = false;
  bool lost_ = false;
  bool hardwareTL_ = true;
  bool depthBuffer_ = false;
  std::uintptr_t windowHandle_ = 0;
  bool active_ = false;
};

class TPxDeviceSubscriber : public TPxSubscriber {
 public:
  explicit TPxDeviceSubscriber(TComponent* owner);
  // The publisher as a device (none when unattached).
  TPxDevice* Device() const;

 protected:
  bool AcceptsPublisher(TComponent* candidate) const override;
};

}  // namespace tvx

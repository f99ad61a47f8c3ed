// A graphics API that records instead of drawing. Every call is counted and, unless logging
// is switched off, appended to a compact log with its arguments. Buffers and textures are
// backed by real memory, so locks hand out usable memory of the right size and tests can
// read what was written. Display modes and accepted formats are configurable, and any call
// can be made to answer a chosen result once (queued) or always, which is how tests make the
// device lost, not reset or broken. It also tracks the states a device would keep (render,
// texture-stage and sampler states, bound textures) so tests can check what is set.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/GraphicsApi.h"

namespace tvx::gfx {

enum class Call : std::uint8_t {
  CreateObject,
  ReleaseObject,
  GetAdapterDisplayMode,
  GetAdapterModeCount,
  EnumAdapterModes,
  CheckDeviceFormat,
  CreateDevice,
  ReleaseDevice,
  GetDeviceCaps,
  Clear,
  BeginScene,
  EndScene,
  Present,
  TestCooperativeLevel,
  Reset,
  CreateVertexBuffer,
  CreateIndexBuffer,
  LockBuffer,
  UnlockBuffer,
  ReleaseBuffer,
  SetStreamSource,
  SetIndices,
  SetVertexShader,
  SetFVF,
  DrawPrimitive,
  DrawIndexedPrimitive,
  SetRenderState,
  SetTextureStageState,
  SetSamplerState,
  SetTexture,
  CreateTexture,
  LockRect,
  UnlockRect,
  ReleaseTexture,
};
constexpr std::size_t kCallCount = static_cast<std::size_t>(Call::ReleaseTexture) + 1;

std::string_view CallName(Call call);
std::optional<Call> CallFromName(std::string_view name);

// One logged call: its arguments in declaration order (floats as their bits, handles and
// flags as they are), and the result it answered.
struct CallRecord {
  Call call;
  Result result;
  std::array<std::uint32_t, 6> args;
};

class RecordingGraphicsApi : public IGraphicsApi {
 public:
  static constexpr std::uint32_t kStages = 8;

  RecordingGraphicsApi();

  // --- Configuration ---
  void SetLogging(bool enabled) { logging_ = enabled; }
  void SetDisplayModes(std::vector<DisplayMode> modes) { modes_ = std::move(modes); }
  void SetAdapterMode(const DisplayMode& mode) { adapterMode_ = mode; }
  void SetAcceptedFormats(std::set<std::uint32_t> formats) { accepted_ = std::move(formats); }
  void SetCaps(const DeviceCaps& caps) { caps_ = caps; }
  // Called after every successful draw, while the buffers still hold what was drawn.
  void SetDrawObserver(std::function<void(const CallRecord&)> observer) {
    drawObserver_ = std::move(observer);
  }
  // The next calls of that name answer these results, one each, in order.
  void QueueResults(Call call, std::initializer_list<Result> results);
  void FailOnce(Call call, Result result = Fail) { QueueResults(call, {result}); }
  // Every call of that name answers this result (after the queued ones) until StopFailing.
  void FailAlways(Call call, Result result = Fail) { always_[Index(call)] = result; }
  void StopFailing(Call call);
  // Loses the device as a display switch would: Present answers DeviceLost and
  // TestCooperativeLevel answers DeviceLost `testsBeforeReset` times, then DeviceNotReset;
  // from then on a Reset succeeds and ends the loss.
  void LoseDevice(std::uint32_t testsBeforeReset = 0) { lostTestsLeft_ = testsBeforeReset; }
  bool DeviceLostNow() const { return lostTestsLeft_.has_value(); }

  // --- Inspection ---
  const std::vector<CallRecord>& Log() const { return log_; }
  void ClearLog() { log_.clear(); }
  std::vector<CallRecord> Calls(Call call) const;
  std::uint64_t Count(Call call) const { return counts_[Index(call)]; }
  void ResetCounters();
  std::uint64_t DrawCalls() const {
    return Count(Call::DrawPrimitive) + Count(Call::DrawIndexedPrimitive);
  }
  // Draw calls since the last Present, and in the frame that Present ended.
  std::uint64_t DrawCallsThisFrame() const { return drawsThisFrame_; }
  std::uint64_t DrawCallsLastFrame() const { return drawsLastFrame_; }
  std::uint64_t PrimitivesDrawn() const { return primitivesDrawn_; }

  bool ObjectExists() const { return objectExists_; }
  bool DeviceExists() const { return deviceExists_; }
  bool InScene() const { return inScene_; }
  std::uint32_t LastBehaviorFlags() const { return behaviorFlags_; }
  // The parameters of the last CreateDevice or Reset.
  const PresentParameters& LastPresentParameters() const { return parameters_; }

  std::uint32_t RenderState(std::uint32_t state) const;
  std::uint32_t TextureStageState(std::uint32_t stage, std::uint32_t type) const;
  std::uint32_t SamplerState(std::uint32_t sampler, std::uint32_t type) const;
  Handle BoundTexture(std::uint32_t stage) const;
  Handle StreamSource() const { return streamSource_; }
  Handle BoundIndices() const { return boundIndices_; }
  std::uint32_t Fvf() const { return fvf_; }
  bool Untinted() const { return untinted_; }

  std::size_t LiveBuffers() const { return buffers_.size(); }
  std::size_t LiveTextures() const { return textures_.size(); }
  // Memory behind a buffer or a texture level (empty if there is none).
  const std::vector<std::uint8_t>& BufferData(Handle buffer) const;
  const std::vector<std::uint8_t>& TextureData(Handle texture, std::uint32_t level) const;
  std::int32_t TexturePitch(Handle texture, std::uint32_t level) const;
  struct TextureInfo {
    std::uint32_t width = 0, height = 0, levels = 0, format = format::Unknown;
  };
  // Top-level size, level count and format of a texture (zeros if there is none).
  TextureInfo TextureDescription(Handle texture) const;

  // --- IGraphicsApi ---
  Result CreateObject(std::uint32_t sdkVersion) override;
  void ReleaseObject() override;
  Result GetAdapterDisplayMode(DisplayMode& mode) override;
  std::uint32_t GetAdapterModeCount(std::uint32_t format) override;
  Result EnumAdapterModes(std::uint32_t format, std::uint32_t index, DisplayMode& mode) override;
  Result CheckDeviceFormat(std::uint32_t deviceType, std::uint32_t adapterFormat,
                           std::uint32_t usage, std::uint32_t resourceType,
                           std::uint32_t checkFormat) override;
  Result CreateDevice(std::uint32_t deviceType, std::uintptr_t focusWindow,
                      std::uint32_t behaviorFlags, PresentParameters& parameters) override;
  void ReleaseDevice() override;
  Result GetDeviceCaps(DeviceCaps& caps) override;
  Result Clear(std::uint32_t flags, std::uint32_t color, float z, std::uint32_t stencil) override;
  Result BeginScene() override;
  Result EndScene() override;
  Result Present() override;
  Result TestCooperativeLevel() override;
  Result Reset(PresentParameters& parameters) override;
  Result CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                            std::uint32_t pool, Handle& buffer) override;
  Result CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t format,
                           std::uint32_t pool, Handle& buffer) override;
  Result LockBuffer(Handle buffer, std::uint32_t offset, std::uint32_t size, void** data,
                    std::uint32_t flags) override;
  Result UnlockBuffer(Handle buffer) override;
  void ReleaseBuffer(Handle buffer) override;
  Result SetStreamSource(std::uint32_t stream, Handle vertexBuffer, std::uint32_t offset,
                         std::uint32_t stride) override;
  Result SetIndices(Handle indexBuffer) override;
  Result SetVertexShader(Handle shader) override;
  Result SetFVF(std::uint32_t fvf) override;
  Result DrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                       std::uint32_t primitiveCount) override;
  Result DrawIndexedPrimitive(std::uint32_t type, std::int32_t baseVertex, std::uint32_t minIndex,
                              std::uint32_t numVertices, std::uint32_t startIndex,
                              std::uint32_t primitiveCount) override;
  void SetUntinted(bool untinted) override { untinted_ = untinted; }
  Result SetRenderState(std::uint32_t state, std::uint32_t value) override;
  Result SetTextureStageState(std::uint32_t stage, std::uint32_t type,
                              std::uint32_t value) override;
  Result SetSamplerState(std::uint32_t sampler, std::uint32_t type, std::uint32_t value) override;
  Result SetTexture(std::uint32_t stage, Handle texture) override;
  Result CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                       std::uint32_t usage, std::uint32_t format, std::uint32_t pool,
                       Handle& texture) override;
  Result LockRect(Handle texture, std::uint32_t level, LockedRect& locked, const Rect* rect,
                  std::uint32_t flags) override;
  Result UnlockRect(Handle texture, std::uint32_t level) override;
  void ReleaseTexture(Handle texture) override;

 private:
  struct Buffer {
    std::vector<std::uint8_t> data;
    bool isIndex = false;
    bool locked = false;
  };
  struct TextureLevel {
    std::uint32_t width = 0, height = 0;
    std::int32_t pitch = 0;
    std::vector<std::uint8_t> data;
    bool locked = false;
  };
  struct Texture {
    std::uint32_t format = 0;
    std::vector<TextureLevel> levels;
  };
  static constexpr std::size_t kStateSlots = 256;
  static constexpr std::size_t kStageSlots = 32;

  static constexpr std::size_t Index(Call call) { return static_cast<std::size_t>(call); }
  // Counts the call and answers the scripted result, or `natural` when none is scripted.
  Result Answer(Call call, Result natural);
  Result Record(Call call, Result natural, std::initializer_list<std::uint32_t> args);
  Handle NewHandle() { return nextHandle_++; }
  Result DrawChecks(std::uint32_t primitiveCount) const;
  void CountDraw(Call call, std::initializer_list<std::uint32_t> args, std::uint32_t primitives);

  bool logging_ = true;
  std::vector<DisplayMode> modes_;
  DisplayMode adapterMode_;
  std::set<std::uint32_t> accepted_;
  DeviceCaps caps_;
  std::array<std::deque<Result>, kCallCount> queued_;
  std::array<std::optional<Result>, kCallCount> always_;
  std::function<void(const CallRecord&)> drawObserver_;

  std::vector<CallRecord> log_;
  std::array<std::uint64_t, kCallCount> counts_{};
  std::uint64_t drawsThisFrame_ = 0;
  std::uint64_t drawsLastFrame_ = 0;
  std::uint64_t primitivesDrawn_ = 0;

  bool objectExists_ = false;
  bool deviceExists_ = false;
  bool inScene_ = false;
  std::optional<std::uint32_t> lostTestsLeft_;  // set while the device is lost
  std::uint32_t behaviorFlags_ = 0;
  PresentParameters parameters_;
  std::array<std::uint32_t, kStateSlots> renderStates_{};
  std::array<std::array<std::uint32_t, kStageSlots>, kStages> stageStates_{};
  std::array<std::array<std::uint32_t, kStageSlots>, kStages> samplerStates_{};
  std::array<Handle, kStages> boundTextures_{};
  Handle streamSource_ = 0;
  std::uint32_t streamStride_ = 0;
  Handle boundIndices_ = 0;
  std::uint32_t fvf_ = 0;
  bool untinted_ = false;

  Handle nextHandle_ = 1;
  std::unordered_map<Handle, Buffer> buffers_;
  std::unordered_map<Handle, Texture> textures_;
};

}  // namespace tvx::gfx

// The graphics API the device, canvas and image components draw through. It has the shape
// of a fixed-function, Direct3D-9-style device: one API object, one device with present
// parameters, scenes, dynamic vertex and index buffers locked with discard, render,
// texture-stage and sampler states, and textures in a managed pool locked by rectangle.
// Resources are plain handles (0 = none). Every call answers a Result; the device and canvas
// branch only on success/failure and on the three device codes below.
//
// Implementations: the OpenGL backend (platform/gl) and the recording double
// (platform/doubles) that logs every call and can fail any of them on demand.
#pragma once

#include <cstdint>

namespace tvx::gfx {

using Handle = std::uint32_t;
using Result = std::int32_t;

constexpr Result Ok = 0;
constexpr Result Fail = static_cast<Result>(0x80004005);
constexpr Result DeviceLost = static_cast<Result>(0x88760868);
constexpr Result DeviceNotReset = static_cast<Result>(0x88760869);
constexpr Result DriverInternalError = static_cast<Result>(0x88760827);
constexpr bool Succeeded(Result r) { return r >= 0; }

constexpr std::uint32_t SdkVersion = 0x80000020;

namespace format {
constexpr std::uint32_t Unknown = 0;
constexpr std::uint32_t A8R8G8B8 = 21;
constexpr std::uint32_t X8R8G8B8 = 22;
constexpr std::uint32_t R5G6B5 = 23;
constexpr std::uint32_t X1R5G5B5 = 24;
constexpr std::uint32_t A1R5G5B5 = 25;
constexpr std::uint32_t A4R4G4B4 = 26;
constexpr std::uint32_t R3G3B2 = 27;
constexpr std::uint32_t A8 = 28;
constexpr std::uint32_t A8R3G3B2 = 29;
constexpr std::uint32_t X4R4G4B4 = 30;
constexpr std::uint32_t D32 = 71;
constexpr std::uint32_t D15S1 = 73;
constexpr std::uint32_t D24S8 = 75;
constexpr std::uint32_t D24X8 = 77;
constexpr std::uint32_t D24X4S4 = 79;
constexpr std::uint32_t D16 = 80;
constexpr std::uint32_t Index16 = 101;
}  // namespace format

namespace devtype {
constexpr std::uint32_t Hal = 1;
}
namespace create {
constexpr std::uint32_t SoftwareVertexProcessing = 0x20;
constexpr std::uint32_t HardwareVertexProcessing = 0x40;
}  // namespace create
namespace usage {
constexpr std::uint32_t DepthStencil = 0x2;
constexpr std::uint32_t WriteOnly = 0x8;
constexpr std::uint32_t Dynamic = 0x200;
constexpr std::uint32_t AutoGenMipMap = 0x400;
}  // namespace usage
namespace rtype {
constexpr std::uint32_t Surface = 1;
constexpr std::uint32_t Texture = 3;
}  // namespace rtype
namespace pool {
constexpr std::uint32_t Default = 0;
constexpr std::uint32_t Managed = 1;
}  // namespace pool
namespace lock {
constexpr std::uint32_t ReadOnly = 0x10;
constexpr std::uint32_t Discard = 0x2000;
}  // namespace lock
namespace clear {
constexpr std::uint32_t Target = 1;
constexpr std::uint32_t ZBuffer = 2;
}  // namespace clear
namespace present {
constexpr std::uint32_t IntervalOne = 1;
constexpr std::uint32_t IntervalImmediate = 0x80000000;
constexpr std::uint32_t SwapEffectDiscard = 1;
constexpr std::uint32_t FlagDiscardDepthStencil = 2;
}  // namespace present

// Pre-transformed, lit vertex with one texture: x, y, z, rhw, diffuse, u, v (28 bytes).
constexpr std::uint32_t FvfXyzRhwDiffuseTex1 = 0x144;
struct TransformedVertex {
  float x = 0, y = 0, z = 0, rhw = 1;
  std::uint32_t diffuse = 0xFFFFFFFF;  // 0xAARRGGBB
  float u = 0, v = 0;
};
static_assert(sizeof(TransformedVertex) == 28);

namespace prim {
constexpr std::uint32_t PointList = 1;
constexpr std::uint32_t LineList = 2;
constexpr std::uint32_t TriangleList = 4;
}  // namespace prim

namespace rs {  // render states
constexpr std::uint32_t ZEnable = 7;
constexpr std::uint32_t AlphaTestEnable = 15;
constexpr std::uint32_t SrcBlend = 19;
constexpr std::uint32_t DestBlend = 20;
constexpr std::uint32_t CullMode = 22;
constexpr std::uint32_t AlphaRef = 24;
constexpr std::uint32_t AlphaFunc = 25;
constexpr std::uint32_t DitherEnable = 26;
constexpr std::uint32_t AlphaBlendEnable = 27;
constexpr std::uint32_t FogEnable = 28;
constexpr std::uint32_t TextureFactor = 60;
constexpr std::uint32_t Lighting = 137;
constexpr std::uint32_t BlendOp = 171;
}  // namespace rs

namespace blend {
constexpr std::uint32_t Zero = 1;
constexpr std::uint32_t One = 2;
constexpr std::uint32_t SrcColor = 3;
constexpr std::uint32_t InvSrcColor = 4;
constexpr std::uint32_t SrcAlpha = 5;
constexpr std::uint32_t InvSrcAlpha = 6;
constexpr std::uint32_t DestAlpha = 7;
constexpr std::uint32_t InvDestAlpha = 8;
constexpr std::uint32_t DestColor = 9;
constexpr std::uint32_t InvDestColor = 10;
constexpr std::uint32_t SrcAlphaSat = 11;
}  // namespace blend

namespace blendop {
constexpr std::uint32_t Add = 1;
constexpr std::uint32_t Subtract = 2;
constexpr std::uint32_t RevSubtract = 3;
constexpr std::uint32_t Min = 4;
constexpr std::uint32_t Max = 5;
}  // namespace blendop

namespace cmp {
constexpr std::uint32_t GreaterEqual = 7;
}
namespace cull {
constexpr std::uint32_t None = 1;
}

namespace tss {  // texture-stage states
constexpr std::uint32_t ColorOp = 1;
constexpr std::uint32_t ColorArg1 = 2;
constexpr std::uint32_t ColorArg2 = 3;
constexpr std::uint32_t AlphaOp = 4;
constexpr std::uint32_t AlphaArg1 = 5;
constexpr std::uint32_t AlphaArg2 = 6;
constexpr std::uint32_t TexCoordIndex = 11;
constexpr std::uint32_t TextureTransformFlags = 24;
}  // namespace tss

namespace top {  // texture-stage operations
constexpr std::uint32_t Disable = 1;
constexpr std::uint32_t SelectArg1 = 2;
constexpr std::uint32_t SelectArg2 = 3;
constexpr std::uint32_t Modulate = 4;
constexpr std::uint32_t Modulate2x = 5;
constexpr std::uint32_t Modulate4x = 6;
constexpr std::uint32_t DotProduct3 = 24;
constexpr std::uint32_t MultiplyAdd = 25;
}  // namespace top

namespace ta {  // texture-stage arguments
constexpr std::uint32_t Diffuse = 0;
constexpr std::uint32_t Current = 1;
constexpr std::uint32_t Texture = 2;
constexpr std::uint32_t TFactor = 3;
}  // namespace ta

constexpr std::uint32_t TextureTransformDisable = 0;

namespace samp {
constexpr std::uint32_t MagFilter = 5;
constexpr std::uint32_t MinFilter = 6;
}  // namespace samp
namespace texf {
constexpr std::uint32_t Point = 1;
constexpr std::uint32_t Linear = 2;
}  // namespace texf

struct DisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t refreshRate = 0;
  std::uint32_t format = format::Unknown;
};

struct PresentParameters {
  std::uint32_t backBufferWidth = 0;
  std::uint32_t backBufferHeight = 0;
  std::uint32_t backBufferFormat = format::Unknown;
  std::uint32_t backBufferCount = 0;
  std::uint32_t multiSampleType = 0;
  std::uint32_t multiSampleQuality = 0;
  std::uint32_t swapEffect = 0;
  std::uintptr_t deviceWindow = 0;
  std::int32_t windowed = 0;  // true is written as all bits set
  std::int32_t enableAutoDepthStencil = 0;
  std::uint32_t autoDepthStencilFormat = format::Unknown;
  std::uint32_t flags = 0;
  std::uint32_t fullScreenRefreshRate = 0;
  std::uint32_t presentationInterval = 0;
};

struct DeviceCaps {
  std::uint32_t maxTextureWidth = 0;
  std::uint32_t maxTextureHeight = 0;
  std::uint32_t maxPrimitiveCount = 0;
  std::uint32_t maxVertexIndex = 0;
  std::uint32_t maxTextureStages = 0;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

struct LockedRect {
  std::int32_t pitch = 0;
  void* bits = nullptr;
};

class IGraphicsApi {
 public:
  virtual ~IGraphicsApi() = default;

  // The API object.
  virtual Result CreateObject(std::uint32_t sdkVersion) = 0;
  virtual void ReleaseObject() = 0;
  virtual Result GetAdapterDisplayMode(DisplayMode& mode) = 0;
  virtual std::uint32_t GetAdapterModeCount(std::uint32_t format) = 0;
  virtual Result EnumAdapterModes(std::uint32_t format, std::uint32_t index, DisplayMode& mode) = 0;
  virtual Result CheckDeviceFormat(std::uint32_t deviceType, std::uint32_t adapterFormat,
                                   std::uint32_t usage, std::uint32_t resourceType,
                                   std::uint32_t checkFormat) = 0;

  // The device.
  virtual Result CreateDevice(std::uint32_t deviceType, std::uintptr_t focusWindow,
                              std::uint32_t behaviorFlags, PresentParameters& parameters) = 0;
  virtual void ReleaseDevice() = 0;
  virtual Result GetDeviceCaps(DeviceCaps& caps) = 0;
  virtual Result Clear(std::uint32_t flags, std::uint32_t color, float z,
                       std::uint32_t stencil) = 0;  // color is 0xAARRGGBB
  virtual Result BeginScene() = 0;
  virtual Result EndScene() = 0;
  virtual Result Present() = 0;
  virtual Result TestCooperativeLevel() = 0;
  virtual Result Reset(PresentParameters& parameters) = 0;

  // Dynamic buffers.
  virtual Result CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                    std::uint32_t pool, Handle& buffer) = 0;
  virtual Result CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t format,
                                   std::uint32_t pool, Handle& buffer) = 0;
  virtual Result LockBuffer(Handle buffer, std::uint32_t offset, std::uint32_t size, void** data,
                            std::uint32_t flags) = 0;
  virtual Result UnlockBuffer(Handle buffer) = 0;
  virtual void ReleaseBuffer(Handle buffer) = 0;

  // Drawing.
  virtual Result SetStreamSource(std::uint32_t stream, Handle vertexBuffer, std::uint32_t offset,
                                 std::uint32_t stride) = 0;
  virtual Result SetIndices(Handle indexBuffer) = 0;
  virtual Result SetVertexShader(Handle shader) = 0;  // 0 = fixed function
  virtual Result SetFVF(std::uint32_t fvf) = 0;
  virtual Result DrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                               std::uint32_t primitiveCount) = 0;
  virtual Result DrawIndexedPrimitive(std::uint32_t type, std::int32_t baseVertex,
                                      std::uint32_t minIndex, std::uint32_t numVertices,
                                      std::uint32_t startIndex, std::uint32_t primitiveCount) = 0;
  // Whether every vertex of the draws that follow has the diffuse 0xFFFFFFFF, which the
  // caller knows from what it wrote; a backend may then leave the diffuse out. False until
  // set. (Ours, not a call of the API this one mirrors, so it is not a device state.)
  virtual void SetUntinted(bool untinted) = 0;

  // States.
  virtual Result SetRenderState(std::uint32_t state, std::uint32_t value) = 0;
  virtual Result SetTextureStageState(std::uint32_t stage, std::uint32_t type,
                                      std::uint32_t value) = 0;
  virtual Result SetSamplerState(std::uint32_t sampler, std::uint32_t type,
                                 std::uint32_t value) = 0;
  virtual Result SetTexture(std::uint32_t stage, Handle texture) = 0;  // 0 = none

  // Textures.
  virtual Result CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                               std::uint32_t usage, std::uint32_t format, std::uint32_t pool,
                               Handle& texture) = 0;
  // rect == nullptr locks the whole level.
  virtual Result LockRect(Handle texture, std::uint32_t level, LockedRect& locked, const Rect* rect,
                          std::uint32_t flags) = 0;
  virtual Result UnlockRect(Handle texture, std::uint32_t level) = 0;
  virtual void ReleaseTexture(Handle texture) = 0;
};

}  // namespace tvx::gfx

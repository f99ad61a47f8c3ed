#include "platform/doubles/RecordingGraphicsApi.h"

#include <bit>

namespace tvx::gfx {

namespace {

constexpr std::array<std::string_view, kCallCount> kCallNames = {"CreateObject",
                                                                 "ReleaseObject",
                                                                 "GetAdapterDisplayMode",
                                                                 "GetAdapterModeCount",
                                                                 "EnumAdapterModes",
                                                                 "CheckDeviceFormat",
                                                                 "CreateDevice",
                                                                 "ReleaseDevice",
                                                                 "GetDeviceCaps",
                                                                 "Clear",
                                                                 "BeginScene",
                                                                 "EndScene",
                                                                 "Present",
                                                                 "TestCooperativeLevel",
                                                                 "Reset",
                                                                 "CreateVertexBuffer",
                                                                 "CreateIndexBuffer",
                                                                 "LockBuffer",
                                                                 "UnlockBuffer",
                                                                 "ReleaseBuffer",
                                                                 "SetStreamSource",
                                                                 "SetIndices",
                                                                 "SetVertexShader",
                                                                 "SetFVF",
                                                                 "DrawPrimitive",
                                                                 "DrawIndexedPrimitive",
                                                                 "SetRenderState",
                                                                 "SetTextureStageState",
                                                                 "SetSamplerState",
                                                                 "SetTexture",
                                                                 "CreateTexture",
                                                                 "LockRect",
                                                                 "UnlockRect",
                                                                 "ReleaseTexture"};

constexpr std::array<std::uint32_t, 17> kAllFormats = {
    format::A8R8G8B8, format::X8R8G8B8, format::R5G6B5, format::X1R5G5B5, format::A1R5G5B5,
    format::A4R4G4B4, format::R3G3B2,   format::A8,     format::A8R3G3B2, format::X4R4G4B4,
    format::D32,      format::D15S1,    format::D24S8,  format::D24X8,    format::D24X4S4,
    format::D16,      format::Index16};

// Textures larger than this are refused: the double keeps every texel in memory.
constexpr std::uint32_t kMaxTextureSide = 4096;
constexpr std::uint32_t kMaxBufferBytes = 64u << 20;

std::uint32_t BytesPerPixel(std::uint32_t textureFormat) {
  switch (textureFormat) {
    case format::A8R8G8B8:
    case format::X8R8G8B8:
    case format::D32:
    case format::D24S8:
    case format::D24X8:
    case format::D24X4S4:
      return 4;
    case format::R3G3B2:
    case format::A8:
      return 1;
    case format::Unknown:
      return 0;
    default:
      return 2;
  }
}

const std::vector<std::uint8_t> kNoData;

}  // namespace

std::string_view CallName(Call call) { return kCallNames[static_cast<std::size_t>(call)]; }

std::optional<Call> CallFromName(std::string_view name) {
  for (std::size_t i = 0; i < kCallCount; ++i) {
    if (kCallNames[i] == name) return static_cast<Call>(i);
  }
  return std::nullopt;
}

RecordingGraphicsApi::RecordingGraphicsApi() : accepted_(kAllFormats.begin(), kAllFormats.end()) {
  for (const std::uint32_t f :
       {format::A8R8G8B8, format::X8R8G8B8, format::R5G6B5, format::X1R5G5B5, format::A1R5G5B5}) {
    modes_.push_back({640, 480, 60, f});
    modes_.push_back({800, 600, 60, f});
  }
  adapterMode_ = {640, 480, 60, format::X8R8G8B8};
  caps_ = {4096, 4096, 0xFFFFF, 0xFFFFF, 8};
  log_.reserve(1024);
}

void RecordingGraphicsApi::QueueResults(Call call, std::initializer_list<Result> results) {
  auto& queue = queued_[Index(call)];
  queue.insert(queue.end(), results.begin(), results.end());
}

void RecordingGraphicsApi::StopFailing(Call call) {
  queued_[Index(call)].clear();
  always_[Index(call)].reset();
}

std::vector<CallRecord> RecordingGraphicsApi::Calls(Call call) const {
  std::vector<CallRecord> found;
  for (const CallRecord& record : log_) {
    if (record.call == call) found.push_back(record);
  }
  return found;
}

void RecordingGraphicsApi::ResetCounters() {
  counts_.fill(0);
  drawsThisFrame_ = drawsLastFrame_ = primitivesDrawn_ = 0;
}

Result RecordingGraphicsApi::Answer(Call call, Result natural) {
  ++counts_[Index(call)];
  auto& queue = queued_[Index(call)];
  if (!queue.empty()) {
    const Result scripted = queue.front();
    queue.pop_front();
    return scripted;
  }
  return always_[Index(call)].value_or(natural);
}

Result RecordingGraphicsApi::Record(Call call, Result natural,
                                    std::initializer_list<std::uint32_t> args) {
  const Result result = Answer(call, natural);
  if (logging_) {
    CallRecord record{call, result, {}};
    std::size_t i = 0;
    for (const std::uint32_t a : args) record.args[i++] = a;
    log_.push_back(record);
  }
  return result;
}

std::uint32_t RecordingGraphicsApi::RenderState(std::uint32_t state) const {
  return state < kStateSlots ? renderStates_[state] : 0;
}

std::uint32_t RecordingGraphicsApi::TextureStageState(std::uint32_t stage,
                                                      std::uint32_t type) const {
  return stage < kStages && type < kStageSlots ? stageStates_[stage][type] : 0;
}

std::uint32_t RecordingGraphicsApi::SamplerState(std::uint32_t sampler, std::uint32_t type) const {
  return sampler < kStages && type < kStageSlots ? samplerStates_[sampler][type] : 0;
}

Handle RecordingGraphicsApi::BoundTexture(std::uint32_t stage) const {
  return stage < kStages ? boundTextures_[stage] : 0;
}

const std::vector<std::uint8_t>& RecordingGraphicsApi::BufferData(Handle buffer) const {
  const auto it = buffers_.find(buffer);
  return it == buffers_.end() ? kNoData : it->second.data;
}

const std::vector<std::uint8_t>& RecordingGraphicsApi::TextureData(Handle texture,
                                                                   std::uint32_t level) const {
  const auto it = textures_.find(texture);
  if (it == textures_.end() || level >= it->second.levels.size()) return kNoData;
  return it->second.levels[level].data;
}

std::int32_t RecordingGraphicsApi::TexturePitch(Handle texture, std::uint32_t level) const {
  const auto it = textures_.find(texture);
  if (it == textures_.end() || level >= it->second.levels.size()) return 0;
  return it->second.levels[level].pitch;
}

RecordingGraphicsApi::TextureInfo RecordingGraphicsApi::TextureDescription(Handle texture) const {
  const auto it = textures_.find(texture);
  if (it == textures_.end() || it->second.levels.empty()) return {};
  const TextureLevel& top = it->second.levels.front();
  return {top.width, top.height, static_cast<std::uint32_t>(it->second.levels.size()),
          it->second.format};
}

// --- The API object ---

Result RecordingGraphicsApi::CreateObject(std::uint32_t sdkVersion) {
  const bool valid = sdkVersion == SdkVersion && !objectExists_;
  const Result r = Record(Call::CreateObject, valid ? Ok : Fail, {sdkVersion});
  if (Succeeded(r)) objectExists_ = true;
  return r;
}

void RecordingGraphicsApi::ReleaseObject() {
  Record(Call::ReleaseObject, Ok, {});
  objectExists_ = false;
}

Result RecordingGraphicsApi::GetAdapterDisplayMode(DisplayMode& mode) {
  const Result r = Record(Call::GetAdapterDisplayMode, objectExists_ ? Ok : Fail, {});
  if (Succeeded(r)) mode = adapterMode_;
  return r;
}

std::uint32_t RecordingGraphicsApi::GetAdapterModeCount(std::uint32_t modeFormat) {
  std::uint32_t count = 0;
  for (const DisplayMode& m : modes_) count += m.format == modeFormat ? 1 : 0;
  // The count is not a Result; a scripted failure answers no modes.
  const Result r = Record(Call::GetAdapterModeCount, objectExists_ ? Ok : Fail, {modeFormat});
  return Succeeded(r) ? count : 0;
}

Result RecordingGraphicsApi::EnumAdapterModes(std::uint32_t modeFormat, std::uint32_t index,
                                              DisplayMode& mode) {
  const DisplayMode* found = nullptr;
  std::uint32_t seen = 0;
  for (const DisplayMode& m : modes_) {
    if (m.format != modeFormat) continue;
    if (seen++ == index) {
      found = &m;
      break;
    }
  }
  const bool valid = objectExists_ && found != nullptr;
  const Result r = Record(Call::EnumAdapterModes, valid ? Ok : Fail, {modeFormat, index});
  if (Succeeded(r) && found != nullptr) mode = *found;
  return r;
}

Result RecordingGraphicsApi::CheckDeviceFormat(std::uint32_t deviceType,
                                               std::uint32_t adapterFormat, std::uint32_t usage,
                                               std::uint32_t resourceType,
                                               std::uint32_t checkFormat) {
  const bool valid = objectExists_ && accepted_.count(checkFormat) != 0;
  return Record(Call::CheckDeviceFormat, valid ? Ok : Fail,
                {deviceType, adapterFormat, usage, resourceType, checkFormat});
}

// --- The device ---

Result RecordingGraphicsApi::CreateDevice(std::uint32_t deviceType, std::uintptr_t focusWindow,
                                          std::uint32_t behaviorFlags,
                                          PresentParameters& parameters) {
  // Full screen needs a real back-buffer format, as on the platform.
  const bool formatKnown = parameters.windowed != 0 || parameters.backBufferFormat != 0;
  const bool valid = objectExists_ && !deviceExists_ && formatKnown;
  const Result r = Record(
      Call::CreateDevice, valid ? Ok : Fail,
      {deviceType, static_cast<std::uint32_t>(focusWindow), behaviorFlags,
       parameters.backBufferWidth, parameters.backBufferHeight, parameters.backBufferFormat});
  if (Succeeded(r)) {
    deviceExists_ = true;
    behaviorFlags_ = behaviorFlags;
    parameters_ = parameters;
  }
  return r;
}

void RecordingGraphicsApi::ReleaseDevice() {
  Record(Call::ReleaseDevice, Ok, {});
  deviceExists_ = false;
  inScene_ = false;
}

Result RecordingGraphicsApi::GetDeviceCaps(DeviceCaps& caps) {
  const Result r = Record(Call::GetDeviceCaps, deviceExists_ ? Ok : Fail, {});
  if (Succeeded(r)) caps = caps_;
  return r;
}

Result RecordingGraphicsApi::Clear(std::uint32_t flags, std::uint32_t color, float z,
                                   std::uint32_t stencil) {
  return Record(Call::Clear, deviceExists_ ? Ok : Fail,
                {flags, color, std::bit_cast<std::uint32_t>(z), stencil});
}

Result RecordingGraphicsApi::BeginScene() {
  const Result r = Record(Call::BeginScene, deviceExists_ && !inScene_ ? Ok : Fail, {});
  if (Succeeded(r)) inScene_ = true;
  return r;
}

Result RecordingGraphicsApi::EndScene() {
  const Result r = Record(Call::EndScene, deviceExists_ && inScene_ ? Ok : Fail, {});
  if (Succeeded(r)) inScene_ = false;
  return r;
}

Result RecordingGraphicsApi::Present() {
  drawsLastFrame_ = drawsThisFrame_;
  drawsThisFrame_ = 0;
  Result natural = deviceExists_ && !inScene_ ? Ok : Fail;
  if (deviceExists_ && lostTestsLeft_.has_value()) natural = DeviceLost;
  return Record(Call::Present, natural, {});
}

Result RecordingGraphicsApi::TestCooperativeLevel() {
  Result natural = deviceExists_ ? Ok : Fail;
  if (deviceExists_ && lostTestsLeft_.has_value()) {
    if (*lostTestsLeft_ > 0) {
      --*lostTestsLeft_;
      natural = DeviceLost;
    } else {
      natural = DeviceNotReset;
    }
  }
  return Record(Call::TestCooperativeLevel, natural, {});
}

Result RecordingGraphicsApi::Reset(PresentParameters& parameters) {
  Result natural = deviceExists_ ? Ok : Fail;
  // A lost device can be reset only once it has reported that it may be.
  if (deviceExists_ && lostTestsLeft_.has_value() && *lostTestsLeft_ > 0) natural = DeviceLost;
  const Result r = Record(Call::Reset, natural,
                          {parameters.backBufferWidth, parameters.backBufferHeight,
                           parameters.backBufferFormat, parameters.presentationInterval});
  if (Succeeded(r)) {
    parameters_ = parameters;
    inScene_ = false;
    lostTestsLeft_.reset();
  }
  return r;
}

// --- Dynamic buffers ---

Result RecordingGraphicsApi::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage,
                                                std::uint32_t fvf, std::uint32_t pool,
                                                Handle& buffer) {
  const bool valid = deviceExists_ && length > 0 && length <= kMaxBufferBytes;
  const Result r = Record(Call::CreateVertexBuffer, valid ? Ok : Fail, {length, usage, fvf, pool});
  if (!Succeeded(r)) return r;
  buffer = NewHandle();
  buffers_[buffer].data.assign(length, 0);
  return r;
}

Result RecordingGraphicsApi::CreateIndexBuffer(std::uint32_t length, std::uint32_t usage,
                                               std::uint32_t indexFormat, std::uint32_t pool,
                                               Handle& buffer) {
  const bool valid =
      deviceExists_ && length > 0 && length <= kMaxBufferBytes && indexFormat == format::Index16;
  const Result r =
      Record(Call::CreateIndexBuffer, valid ? Ok : Fail, {length, usage, indexFormat, pool});
  if (!Succeeded(r)) return r;
  buffer = NewHandle();
  Buffer& created = buffers_[buffer];
  created.data.assign(length, 0);
  created.isIndex = true;
  return r;
}

Result RecordingGraphicsApi::LockBuffer(Handle buffer, std::uint32_t offset, std::uint32_t size,
                                        void** data, std::uint32_t flags) {
  const auto it = buffers_.find(buffer);
  bool valid = it != buffers_.end() && !it->second.locked && data != nullptr;
  std::uint64_t end = 0;
  if (valid) {
    const std::uint64_t length = it->second.data.size();
    end = size == 0 ? length : std::uint64_t{offset} + size;  // size 0 locks to the end
    valid = offset <= length && end <= length;
  }
  const Result r = Record(Call::LockBuffer, valid ? Ok : Fail, {buffer, offset, size, flags});
  if (Succeeded(r) && valid) {
    it->second.locked = true;
    *data = it->second.data.data() + offset;
  }
  return valid ? r : (Succeeded(r) ? Fail : r);
}

Result RecordingGraphicsApi::UnlockBuffer(Handle buffer) {
  const auto it = buffers_.find(buffer);
  const bool valid = it != buffers_.end() && it->second.locked;
  const Result r = Record(Call::UnlockBuffer, valid ? Ok : Fail, {buffer});
  if (valid) it->second.locked = false;
  return r;
}

void RecordingGraphicsApi::ReleaseBuffer(Handle buffer) {
  Record(Call::ReleaseBuffer, Ok, {buffer});
  buffers_.erase(buffer);
  if (streamSource_ == buffer) streamSource_ = 0;
  if (boundIndices_ == buffer) boundIndices_ = 0;
}

// --- Drawing ---

Result RecordingGraphicsApi::SetStreamSource(std::uint32_t stream, Handle vertexBuffer,
                                             std::uint32_t offset, std::uint32_t stride) {
  const auto it = buffers_.find(vertexBuffer);
  const bool valid = deviceExists_ && stream == 0 && it != buffers_.end() && !it->second.isIndex;
  const Result r =
      Record(Call::SetStreamSource, valid ? Ok : Fail, {stream, vertexBuffer, offset, stride});
  if (Succeeded(r) && valid) {
    streamSource_ = vertexBuffer;
    streamStride_ = stride;
  }
  return r;
}

Result RecordingGraphicsApi::SetIndices(Handle indexBuffer) {
  const auto it = buffers_.find(indexBuffer);
  const bool valid = deviceExists_ && it != buffers_.end() && it->second.isIndex;
  const Result r = Record(Call::SetIndices, valid ? Ok : Fail, {indexBuffer});
  if (Succeeded(r) && valid) boundIndices_ = indexBuffer;
  return r;
}

Result RecordingGraphicsApi::SetVertexShader(Handle shader) {
  return Record(Call::SetVertexShader, deviceExists_ && shader == 0 ? Ok : Fail, {shader});
}

Result RecordingGraphicsApi::SetFVF(std::uint32_t fvf) {
  const Result r = Record(Call::SetFVF, deviceExists_ ? Ok : Fail, {fvf});
  if (Succeeded(r)) fvf_ = fvf;
  return r;
}

Result RecordingGraphicsApi::DrawChecks(std::uint32_t primitiveCount) const {
  const bool valid = deviceExists_ && inScene_ && streamSource_ != 0 && primitiveCount > 0 &&
                     primitiveCount <= caps_.maxPrimitiveCount;
  return valid ? Ok : Fail;
}

Result RecordingGraphicsApi::DrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                                           std::uint32_t primitiveCount) {
  Result natural = DrawChecks(primitiveCount);
  if (Succeeded(natural)) {
    const std::uint32_t perPrimitive = type == prim::PointList ? 1 : type == prim::LineList ? 2 : 3;
    const std::uint64_t lastByte =
        (std::uint64_t{startVertex} + std::uint64_t{primitiveCount} * perPrimitive) * streamStride_;
    if (lastByte > buffers_.at(streamSource_).data.size()) natural = Fail;
  }
  const Result r = Record(Call::DrawPrimitive, natural, {type, startVertex, primitiveCount});
  if (Succeeded(r)) {
    CountDraw(Call::DrawPrimitive, {type, startVertex, primitiveCount}, primitiveCount);
  }
  return r;
}

Result RecordingGraphicsApi::DrawIndexedPrimitive(std::uint32_t type, std::int32_t baseVertex,
                                                  std::uint32_t minIndex, std::uint32_t numVertices,
                                                  std::uint32_t startIndex,
                                                  std::uint32_t primitiveCount) {
  Result natural = DrawChecks(primitiveCount);
  if (Succeeded(natural) && boundIndices_ == 0) natural = Fail;
  if (Succeeded(natural)) {
    // Every index must name a vertex inside the declared range and the vertex buffer.
    const std::uint32_t perPrimitive = type == prim::LineList ? 2 : 3;
    const std::vector<std::uint8_t>& indexData = buffers_.at(boundIndices_).data;
    const std::uint64_t indexCount = std::uint64_t{primitiveCount} * perPrimitive;
    const std::uint64_t vertexBytes = buffers_.at(streamSource_).data.size();
    if ((startIndex + indexCount) * 2 > indexData.size() || baseVertex < 0 ||
        (std::uint64_t{minIndex} + numVertices) * streamStride_ > vertexBytes) {
      natural = Fail;
    } else {
      const auto* indices = reinterpret_cast<const std::uint16_t*>(indexData.data());
      for (std::uint64_t i = startIndex; i < startIndex + indexCount; ++i) {
        if (indices[i] < minIndex || indices[i] >= minIndex + numVertices) natural = Fail;
      }
    }
  }
  const std::initializer_list<std::uint32_t> args = {
      type,          static_cast<std::uint32_t>(baseVertex), minIndex, numVertices, startIndex,
      primitiveCount};
  const Result r = Record(Call::DrawIndexedPrimitive, natural, args);
  if (Succeeded(r)) CountDraw(Call::DrawIndexedPrimitive, args, primitiveCount);
  return r;
}

void RecordingGraphicsApi::CountDraw(Call call, std::initializer_list<std::uint32_t> args,
                                     std::uint32_t primitives) {
  ++drawsThisFrame_;
  primitivesDrawn_ += primitives;
  if (!drawObserver_) return;
  CallRecord record{call, Ok, {}};
  std::size_t i = 0;
  for (const std::uint32_t a : args) record.args[i++] = a;
  drawObserver_(record);
}

// --- States ---

Result RecordingGraphicsApi::SetRenderState(std::uint32_t state, std::uint32_t value) {
  const Result r = Record(Call::SetRenderState, deviceExists_ && state < kStateSlots ? Ok : Fail,
                          {state, value});
  if (Succeeded(r) && state < kStateSlots) renderStates_[state] = value;
  return r;
}

Result RecordingGraphicsApi::SetTextureStageState(std::uint32_t stage, std::uint32_t type,
                                                  std::uint32_t value) {
  const bool valid = deviceExists_ && stage < kStages && type < kStageSlots;
  const Result r = Record(Call::SetTextureStageState, valid ? Ok : Fail, {stage, type, value});
  if (Succeeded(r) && valid) stageStates_[stage][type] = value;
  return r;
}

Result RecordingGraphicsApi::SetSamplerState(std::uint32_t sampler, std::uint32_t type,
                                             std::uint32_t value) {
  const bool valid = deviceExists_ && sampler < kStages && type < kStageSlots;
  const Result r = Record(Call::SetSamplerState, valid ? Ok : Fail, {sampler, type, value});
  if (Succeeded(r) && valid) samplerStates_[sampler][type] = value;
  return r;
}

Result RecordingGraphicsApi::SetTexture(std::uint32_t stage, Handle texture) {
  const bool valid =
      deviceExists_ && stage < kStages && (texture == 0 || textures_.count(texture) != 0);
  const Result r = Record(Call::SetTexture, valid ? Ok : Fail, {stage, texture});
  if (Succeeded(r) && valid) boundTextures_[stage] = texture;
  return r;
}

// --- Textures ---

Result RecordingGraphicsApi::CreateTexture(std::uint32_t width, std::uint32_t height,
                                           std::uint32_t levels, std::uint32_t usage,
                                           std::uint32_t textureFormat, std::uint32_t pool,
                                           Handle& texture) {
  const bool valid = deviceExists_ && width > 0 && height > 0 && width <= kMaxTextureSide &&
                     height <= kMaxTextureSide && BytesPerPixel(textureFormat) > 0 &&
                     accepted_.count(textureFormat) != 0;
  const Result r = Record(Call::CreateTexture, valid ? Ok : Fail,
                          {width, height, levels, usage, textureFormat, pool});
  if (!Succeeded(r) || !valid) return Succeeded(r) ? Fail : r;
  texture = NewHandle();
  Texture& created = textures_[texture];
  created.format = textureFormat;
  // Levels 0 means the whole chain down to 1 x 1.
  std::uint32_t w = width, h = height;
  for (std::uint32_t level = 0; levels == 0 || level < levels; ++level) {
    TextureLevel& l = created.levels.emplace_back();
    l.width = w;
    l.height = h;
    l.pitch = static_cast<std::int32_t>(w * BytesPerPixel(textureFormat));
    l.data.assign(static_cast<std::size_t>(l.pitch) * h, 0);
    if (w == 1 && h == 1) break;
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  return r;
}

Result RecordingGraphicsApi::LockRect(Handle texture, std::uint32_t level, LockedRect& locked,
                                      const Rect* rect, std::uint32_t flags) {
  const auto it = textures_.find(texture);
  TextureLevel* target = nullptr;
  if (it != textures_.end() && level < it->second.levels.size()) {
    target = &it->second.levels[level];
  }
  bool valid = target != nullptr && !target->locked;
  Rect area{0, 0, 0, 0};
  if (valid) {
    area = rect != nullptr ? *rect
                           : Rect{0, 0, static_cast<std::int32_t>(target->width),
                                  static_cast<std::int32_t>(target->height)};
    valid = area.left >= 0 && area.top >= 0 && area.left < area.right && area.top < area.bottom &&
            area.right <= static_cast<std::int32_t>(target->width) &&
            area.bottom <= static_cast<std::int32_t>(target->height);
  }
  const Result r = Record(Call::LockRect, valid ? Ok : Fail,
                          {texture, level, static_cast<std::uint32_t>(area.left),
                           static_cast<std::uint32_t>(area.top), flags});
  if (!Succeeded(r) || !valid) return Succeeded(r) ? Fail : r;
  target->locked = true;
  const std::uint32_t bpp = BytesPerPixel(it->second.format);
  locked.pitch = target->pitch;
  locked.bits = target->data.data() + static_cast<std::size_t>(area.top) * target->pitch +
                static_cast<std::size_t>(area.left) * bpp;
  return r;
}

Result RecordingGraphicsApi::UnlockRect(Handle texture, std::uint32_t level) {
  const auto it = textures_.find(texture);
  const bool valid =
      it != textures_.end() && level < it->second.levels.size() && it->second.levels[level].locked;
  const Result r = Record(Call::UnlockRect, valid ? Ok : Fail, {texture, level});
  if (valid) it->second.levels[level].locked = false;
  return r;
}

void RecordingGraphicsApi::ReleaseTexture(Handle texture) {
  Record(Call::ReleaseTexture, Ok, {texture});
  textures_.erase(texture);
  for (Handle& bound : boundTextures_) {
    if (bound == texture) bound = 0;
  }
}

}  // namespace tvx::gfx

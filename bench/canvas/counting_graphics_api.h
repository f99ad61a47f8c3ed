// A pass-through graphics API that counts the draw calls reaching the backend beneath it.
#pragma once

#include <cstdint>

#include "platform/GraphicsApi.h"

namespace tvx::bench {

class CountingGraphicsApi : public gfx::IGraphicsApi {
 public:
  explicit CountingGraphicsApi(gfx::IGraphicsApi& inner) : inner_(inner) {}

  std::uint64_t DrawCalls() const { return drawCalls_; }

  gfx::Result DrawPrimitive(std::uint32_t type, std::uint32_t startVertex,
                            std::uint32_t primitiveCount) override {
    ++drawCalls_;
    return inner_.DrawPrimitive(type, startVertex, primitiveCount);
  }
  gfx::Result DrawIndexedPrimitive(std::uint32_t type, std::int32_t baseVertex,
                                   std::uint32_t minIndex, std::uint32_t numVertices,
                                   std::uint32_t startIndex,
                                   std::uint32_t primitiveCount) override {
    ++drawCalls_;
    return inner_.DrawIndexedPrimitive(type, baseVertex, minIndex, numVertices, startIndex,
                                       primitiveCount);
  }

  void SetUntinted(bool untinted) override { inner_.SetUntinted(untinted); }

  gfx::Result CreateObject(std::uint32_t v) override { return inner_.CreateObject(v); }
  void ReleaseObject() override { inner_.ReleaseObject(); }
  gfx::Result GetAdapterDisplayMode(gfx::DisplayMode& m) override {
    return inner_.GetAdapterDisplayMode(m);
  }
  std::uint32_t GetAdapterModeCount(std::uint32_t f) override {
    return inner_.GetAdapterModeCount(f);
  }
  gfx::Result EnumAdapterModes(std::uint32_t f, std::uint32_t i, gfx::DisplayMode& m) override {
    return inner_.EnumAdapterModes(f, i, m);
  }
  gfx::Result CheckDeviceFormat(std::uint32_t t, std::uint32_t a, std::uint32_t u, std::uint32_t r,
                                std::uint32_t c) override {
    return inner_.CheckDeviceFormat(t, a, u, r, c);
  }
  gfx::Result CreateDevice(std::uint32_t t, std::uintptr_t w, std::uint32_t b,
                           gfx::PresentParameters& p) override {
    return inner_.CreateDevice(t, w, b, p);
  }
  void ReleaseDevice() override { inner_.ReleaseDevice(); }
  gfx::Result GetDeviceCaps(gfx::DeviceCaps& c) override { return inner_.GetDeviceCaps(c); }
  gfx::Result Clear(std::uint32_t f, std::uint32_t c, float z, std::uint32_t s) override {
    return inner_.Clear(f, c, z, s);
  }
  gfx::Result BeginScene() override { return inner_.BeginScene(); }
  gfx::Result EndScene() override { return inner_.EndScene(); }
  gfx::Result Present() override { return inner_.Present(); }
  gfx::Result TestCooperativeLevel() override { return inner_.TestCooperativeLevel(); }
  gfx::Result Reset(gfx::PresentParameters& p) override { return inner_.Reset(p); }
  gfx::Result CreateVertexBuffer(std::uint32_t l, std::uint32_t u, std::uint32_t f, std::uint32_t p,
                                 gfx::Handle& b) override {
    return inner_.CreateVertexBuffer(l, u, f, p, b);
  }
  gfx::Result CreateIndexBuffer(std::uint32_t l, std::uint32_t u, std::uint32_t f, std::uint32_t p,
                                gfx::Handle& b) override {
    return inner_.CreateIndexBuffer(l, u, f, p, b);
  }
  gfx::Result LockBuffer(gfx::Handle b, std::uint32_t o, std::uint32_t s, void** d,
                         std::uint32_t f) override {
    return inner_.LockBuffer(b, o, s, d, f);
  }
  gfx::Result UnlockBuffer(gfx::Handle b) override { return inner_.UnlockBuffer(b); }
  void ReleaseBuffer(gfx::Handle b) override { inner_.ReleaseBuffer(b); }
  gfx::Result SetStreamSource(std::uint32_t s, gfx::Handle b, std::uint32_t o,
                              std::uint32_t st) override {
    return inner_.SetStreamSource(s, b, o, st);
  }
  gfx::Result SetIndices(gfx::Handle b) override { return inner_.SetIndices(b); }
  gfx::Result SetVertexShader(gfx::Handle s) override { return inner_.SetVertexShader(s); }
  gfx::Result SetFVF(std::uint32_t f) override { return inner_.SetFVF(f); }
  gfx::Result SetRenderState(std::uint32_t s, std::uint32_t v) override {
    return inner_.SetRenderState(s, v);
  }
  gfx::Result SetTextureStageState(std::uint32_t s, std::uint32_t t, std::uint32_t v) override {
    return inner_.SetTextureStageState(s, t, v);
  }
  gfx::Result SetSamplerState(std::uint32_t s, std::uint32_t t, std::uint32_t v) override {
    return inner_.SetSamplerState(s, t, v);
  }
  gfx::Result SetTexture(std::uint32_t s, gfx::Handle t) override {
    return inner_.SetTexture(s, t);
  }
  gfx::Result CreateTexture(std::uint32_t w, std::uint32_t h, std::uint32_t l, std::uint32_t u,
                            std::uint32_t f, std::uint32_t p, gfx::Handle& t) override {
    return inner_.CreateTexture(w, h, l, u, f, p, t);
  }
  gfx::Result LockRect(gfx::Handle t, std::uint32_t l, gfx::LockedRect& r, const gfx::Rect* rect,
                       std::uint32_t f) override {
    return inner_.LockRect(t, l, r, rect, f);
  }
  gfx::Result UnlockRect(gfx::Handle t, std::uint32_t l) override {
    return inner_.UnlockRect(t, l);
  }
  void ReleaseTexture(gfx::Handle t) override { inner_.ReleaseTexture(t); }

 private:
  gfx::IGraphicsApi& inner_;
  std::uint64_t drawCalls_ = 0;
};

}  // namespace tvx::bench

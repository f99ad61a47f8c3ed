// The backend's resource and state records, shared by its source files only.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "platform/TexelLayouts.h"
#include "platform/gl/GlGraphicsApi.h"

namespace tvx {

// Forgets earlier GL errors, so that the check after a call sees that call's own.
inline void DiscardGlErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

// A vertex or index buffer: the CPU copy a lock hands out and the GL buffer it feeds.
struct GlGraphicsApi::Buffer {
  GLuint id = 0;
  GLenum target = GL_ARRAY_BUFFER;
  std::vector<std::uint8_t> bytes;
  bool locked = false;
  std::uint32_t lockOffset = 0;
  std::uint32_t lockSize = 0;
  bool lockDiscards = false;
};

// One lockable mip level. GL holds the texels; `bytes` is a copy in the D3D layout of the
// texture's format only while the level is locked, so no texture is kept twice.
struct TextureLevel {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t pitch = 0;
  std::vector<std::uint8_t> bytes;
  bool uploaded = false;  // GL holds more than the zeros the level was created with
  bool locked = false;
  bool lockReadOnly = false;
  gfx::Rect lockRect{};
};

struct GlGraphicsApi::Texture {
  GLuint id = 0;
  std::uint32_t format = 0;
  PixelFields layout{};
  std::vector<TextureLevel> levels;  // the ones GL keeps, all lockable
  GLint minFilter = GL_NEAREST;      // what the GL texture is set to now
  GLint magFilter = GL_NEAREST;
  // GL storage is made at the first upload or the first draw with the texture, so one that
  // is never filled nor shown costs no memory.
  bool storage = false;
};

// The offscreen render target and its optional depth buffer. When `inWindow` is set, the
// frame is drawn straight into the window's back buffer instead, with y flipped so that its
// top row lands on the window's top.
struct GlGraphicsApi::Target {
  GLuint framebuffer = 0;
  GLuint color = 0;
  GLuint depth = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool hasAlpha = true;
  bool inWindow = false;

  GLuint DrawFramebuffer() const { return inWindow ? 0 : framebuffer; }
};

// Device states as D3D values, defaults as D3D has them after creation or Reset.
struct GlGraphicsApi::States {
  std::uint32_t zEnable = 0;
  std::uint32_t alphaTestEnable = 0;
  std::uint32_t srcBlend = gfx::blend::One;
  std::uint32_t destBlend = gfx::blend::Zero;
  std::uint32_t cullMode = 3;  // counter-clockwise
  std::uint32_t alphaRef = 0;
  std::uint32_t alphaFunc = 8;  // always
  std::uint32_t ditherEnable = 0;
  std::uint32_t alphaBlendEnable = 0;
  std::uint32_t fogEnable = 0;
  std::uint32_t textureFactor = 0xFFFFFFFF;
  std::uint32_t lighting = 1;
  std::uint32_t blendOp = gfx::blendop::Add;

  std::uint32_t colorOp = gfx::top::Modulate;
  std::uint32_t colorArg1 = gfx::ta::Texture;
  std::uint32_t colorArg2 = gfx::ta::Current;
  std::uint32_t alphaOp = gfx::top::SelectArg1;
  std::uint32_t alphaArg1 = gfx::ta::Texture;
  std::uint32_t alphaArg2 = gfx::ta::Current;
  std::uint32_t magFilter = gfx::texf::Point;
  std::uint32_t minFilter = gfx::texf::Point;

  gfx::TextureHandle texture{};
  gfx::BufferHandle streamBuffer{};
  std::uint32_t streamOffset = 0;
  std::uint32_t streamStride = 0;
  gfx::BufferHandle indexBuffer{};
  std::uint32_t fvf = 0;
};

}  // namespace tvx

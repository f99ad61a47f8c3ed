// Emulation of the fixed-function pixel stage with GLSL 1.20 programs. Texture stage 0
// (colour and alpha operation with two arguments each), the presence of a texture, whether
// the diffuse is white throughout, and the alpha test comparison form a key; each key gets its own
// program, compiled on first use with the key's values as constants so that the compiler folds
// every choice away. The texture factor and the alpha reference stay uniforms.
//
// Vertices are pre-transformed: x, y in target pixels with D3D9 pixel centres (a pixel's
// centre sits at whole coordinates, so GL's window position is x + 0.5), z in 0..1 and rhw.
// The target is stored top row first from GL's y = 0, so y needs no flip here. Lines are
// drawn a subpixel step up and left to settle diamond-exit ties the D3D way.
#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <unordered_map>

namespace tvx::gl {

struct StageKey {
  std::uint32_t colorOp = 0;
  std::uint32_t colorArg1 = 0;
  std::uint32_t colorArg2 = 0;
  std::uint32_t alphaOp = 0;
  std::uint32_t alphaArg1 = 0;
  std::uint32_t alphaArg2 = 0;
  bool hasTexture = false;
  // Every vertex drawn has the diffuse 0xFFFFFFFF, as untinted sprites do: the program then
  // leaves the diffuse out, which spares the rasteriser its interpolation and products.
  bool whiteDiffuse = false;
  std::uint32_t alphaFunc = 0;  // D3D comparison 1..8; Always when the test is off

  std::uint64_t Packed() const;
};

struct StageUniforms {
  std::uint32_t textureFactor = 0;  // 0xAARRGGBB
  std::uint32_t alphaRef = 0;
  std::uint32_t targetWidth = 0;
  std::uint32_t targetHeight = 0;
  bool lines = false;  // drawing a line list
};

// Attribute locations the programs are linked with.
constexpr GLuint kPositionAttribute = 0;
constexpr GLuint kColorAttribute = 1;
constexpr GLuint kTexCoordAttribute = 2;

class StagePrograms {
 public:
  StagePrograms() = default;
  StagePrograms(const StagePrograms&) = delete;
  StagePrograms& operator=(const StagePrograms&) = delete;
  ~StagePrograms();

  // Makes the program of `key` current with the given uniforms; false if it fails to build.
  bool Use(const StageKey& key, const StageUniforms& uniforms);
  // Deletes every program; the GL context must be current.
  void Clear();
  const std::string& LastError() const { return lastError_; }

 private:
  struct Program {
    GLuint id = 0;
    GLint textureFactor = -1;
    GLint alphaRef = -1;
    GLint targetSize = -1;
    GLint pixelCentre = -1;
    StageUniforms uniforms;  // the values last set
    bool uniformsSet = false;
  };

  Program* Build(const StageKey& key);

  std::unordered_map<std::uint64_t, Program> programs_;
  std::uint64_t currentKey_ = ~std::uint64_t{0};
  std::string lastError_;
};

}  // namespace tvx::gl

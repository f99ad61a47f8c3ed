#include "platform/gl/GlStagePrograms.h"

#include <vector>

namespace tvx::gl {
namespace {

// Lines whose ends sit exactly on pixel centres are a tie for GL's diamond-exit test, which
// Mesa settles differently for upward lines; a shift by one subpixel step (1/256) up and
// left settles every direction the D3D way: first pixel drawn, last one left out.
constexpr float kLinePixelCentre = 0.5f - 1.0f / 256.0f;

constexpr const char* kVertexShader = R"(#version 120
attribute vec4 a_position;
attribute vec4 a_color;
attribute vec2 a_texCoord;
uniform vec2 u_targetSize;
uniform float u_pixelCentre;
varying vec4 v_color;
varying vec2 v_texCoord;
void main() {
  float w = 1.0 / a_position.w;
  vec2 ndc = (a_position.xy + u_pixelCentre) / u_targetSize * 2.0 - 1.0;
  gl_Position = vec4(ndc * w, (a_position.z * 2.0 - 1.0) * w, w);
  v_color = a_color.zyxw;  // the diffuse word 0xAARRGGBB arrives as bytes B, G, R, A
  v_texCoord = a_texCoord;
}
)";

// The stage's formulas; the #defines in front of it carry the key. Argument values are the
// D3D ones: 0 diffuse, 1 current (the diffuse at stage 0), 2 texture, 3 texture factor,
// plus the modifier bits 0x10 complement and 0x20 alpha replicate.
constexpr const char* kFragmentShader = R"(
uniform sampler2D u_texture;
uniform vec4 u_textureFactor;
uniform float u_alphaRef;
varying vec4 v_color;
varying vec2 v_texCoord;
#define DIFFUSE (WHITE_DIFFUSE ? vec4(1.0) : v_color)

vec4 Argument(int selector, vec4 texel) {
  int source = selector - (selector / 16) * 16;
  vec4 value = source == 2 ? texel : (source == 3 ? u_textureFactor : DIFFUSE);
  if (selector / 32 - (selector / 64) * 2 == 1) value = value.aaaa;
  if (selector / 16 - (selector / 32) * 2 == 1) value = 1.0 - value;
  return value;
}

vec4 Combine(int op, vec4 a1, vec4 a2) {
  if (op == 2) return a1;
  if (op == 3) return a2;
  if (op == 4) return a1 * a2;
  if (op == 5) return clamp(a1 * a2 * 2.0, 0.0, 1.0);
  if (op == 6) return clamp(a1 * a2 * 4.0, 0.0, 1.0);
  if (op == 24) return vec4(clamp(4.0 * dot(a1.rgb - 0.5, a2.rgb - 0.5), 0.0, 1.0));
  if (op == 25) return clamp(DIFFUSE + a1 * a2, 0.0, 1.0);
  return DIFFUSE;  // disabled: the diffuse colour passes through
}

bool AlphaPasses(float alpha) {
  float a = floor(alpha * 255.0 + 0.5);
  if (ALPHA_FUNC == 1) return false;
  if (ALPHA_FUNC == 2) return a < u_alphaRef;
  if (ALPHA_FUNC == 3) return a == u_alphaRef;
  if (ALPHA_FUNC == 4) return a <= u_alphaRef;
  if (ALPHA_FUNC == 5) return a > u_alphaRef;
  if (ALPHA_FUNC == 6) return a != u_alphaRef;
  if (ALPHA_FUNC == 7) return a >= u_alphaRef;
  return true;
}

void main() {
  // Without a texture the texture argument reads opaque white, so Modulate shows the diffuse.
  vec4 texel = HAS_TEXTURE ? texture2D(u_texture, v_texCoord) : vec4(1.0);
  vec4 result;
  if (COLOR_OP == 1) {
    result = DIFFUSE;
  } else {
    vec4 color = Combine(COLOR_OP, Argument(COLOR_ARG1, texel), Argument(COLOR_ARG2, texel));
    // The dot product is replicated into alpha as well.
    float alpha = COLOR_OP == 24 ? color.a
        : (ALPHA_OP == 1 ? DIFFUSE.a
        : Combine(ALPHA_OP, Argument(ALPHA_ARG1, texel), Argument(ALPHA_ARG2, texel)).a);
    result = vec4(color.rgb, alpha);
  }
  if (!AlphaPasses(result.a)) discard;
  gl_FragColor = result;
}
)";

GLuint Compile(GLenum type, const std::string& source, std::string& error) {
  const GLuint shader = glCreateShader(type);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok == GL_TRUE) return shader;
  std::vector<char> log(4096);
  glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
  error = log.data();
  glDeleteShader(shader);
  return 0;
}

std::string Defines(const StageKey& key) {
  std::string text = "#version 120\n";
  const auto define = [&text](const char* name, std::uint32_t value) {
    text += "#define " + std::string(name) + " " + std::to_string(value) + "\n";
  };
  define("COLOR_OP", key.colorOp);
  define("COLOR_ARG1", key.colorArg1);
  define("COLOR_ARG2", key.colorArg2);
  define("ALPHA_OP", key.alphaOp);
  define("ALPHA_ARG1", key.alphaArg1);
  define("ALPHA_ARG2", key.alphaArg2);
  define("ALPHA_FUNC", key.alphaFunc);
  text += key.hasTexture ? "#define HAS_TEXTURE true\n" : "#define HAS_TEXTURE false\n";
  text += key.whiteDiffuse ? "#define WHITE_DIFFUSE true\n" : "#define WHITE_DIFFUSE false\n";
  return text;
}

}  // namespace

std::uint64_t StageKey::Packed() const {
  std::uint64_t packed = 0;
  for (std::uint32_t field :
       {colorOp, colorArg1, colorArg2, alphaOp, alphaArg1, alphaArg2, alphaFunc}) {
    packed = packed << 8 | (field & 0xFF);
  }
  return packed << 2 | (whiteDiffuse ? 2 : 0) | (hasTexture ? 1 : 0);
}

StagePrograms::~StagePrograms() = default;

void StagePrograms::Clear() {
  for (auto& entry : programs_) glDeleteProgram(entry.second.id);
  programs_.clear();
  currentKey_ = ~std::uint64_t{0};
}

StagePrograms::Program* StagePrograms::Build(const StageKey& key) {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader, lastError_);
  if (vertex == 0) return nullptr;
  const GLuint fragment = Compile(GL_FRAGMENT_SHADER, Defines(key) + kFragmentShader, lastError_);
  if (fragment == 0) {
    glDeleteShader(vertex);
    return nullptr;
  }
  const GLuint id = glCreateProgram();
  glAttachShader(id, vertex);
  glAttachShader(id, fragment);
  glBindAttribLocation(id, kPositionAttribute, "a_position");
  glBindAttribLocation(id, kColorAttribute, "a_color");
  glBindAttribLocation(id, kTexCoordAttribute, "a_texCoord");
  glLinkProgram(id);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint ok = GL_FALSE;
  glGetProgramiv(id, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    std::vector<char> log(4096);
    glGetProgramInfoLog(id, static_cast<GLsizei>(log.size()), nullptr, log.data());
    lastError_ = log.data();
    glDeleteProgram(id);
    return nullptr;
  }
  Program program;
  program.id = id;
  program.textureFactor = glGetUniformLocation(id, "u_textureFactor");
  program.alphaRef = glGetUniformLocation(id, "u_alphaRef");
  program.targetSize = glGetUniformLocation(id, "u_targetSize");
  program.pixelCentre = glGetUniformLocation(id, "u_pixelCentre");
  glUseProgram(id);
  glUniform1i(glGetUniformLocation(id, "u_texture"), 0);
  return &programs_.emplace(key.Packed(), program).first->second;
}

bool StagePrograms::Use(const StageKey& key, const StageUniforms& uniforms) {
  const std::uint64_t packed = key.Packed();
  auto found = programs_.find(packed);
  Program* program = found != programs_.end() ? &found->second : Build(key);
  if (program == nullptr) return false;
  if (packed != currentKey_) {
    glUseProgram(program->id);
    currentKey_ = packed;
  }
  const StageUniforms& set = program->uniforms;
  const bool fresh = !program->uniformsSet;
  if (fresh || set.textureFactor != uniforms.textureFactor) {
    const std::uint32_t tf = uniforms.textureFactor;
    glUniform4f(program->textureFactor, ((tf >> 16) & 0xFF) / 255.0f, ((tf >> 8) & 0xFF) / 255.0f,
                (tf & 0xFF) / 255.0f, (tf >> 24) / 255.0f);
  }
  if (fresh || set.alphaRef != uniforms.alphaRef) {
    glUniform1f(program->alphaRef, static_cast<float>(uniforms.alphaRef & 0xFF));
  }
  if (fresh || set.targetWidth != uniforms.targetWidth ||
      set.targetHeight != uniforms.targetHeight) {
    glUniform2f(program->targetSize, static_cast<float>(uniforms.targetWidth),
                static_cast<float>(uniforms.targetHeight));
  }
  if (fresh || set.lines != uniforms.lines) {
    glUniform1f(program->pixelCentre, uniforms.lines ? kLinePixelCentre : 0.5f);
  }
  program->uniforms = uniforms;
  program->uniformsSet = true;
  return true;
}

}  // namespace tvx::gl

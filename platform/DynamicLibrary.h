// A shared library loaded at run time, with its entry points looked up by
// name. The library stays loaded while the object lives.
#pragma once

#include <string>

namespace qm {

class TDynamicLibrary {
public:
  TDynamicLibrary() = default;
  // Loads fileName the way dlopen finds it (a name without "/" goes through
  // the system's library search). Loaded() tells whether it worked.
  explicit TDynamicLibrary(const std::string& fileName);
  ~TDynamicLibrary();
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;
  TDynamicLibrary(TDynamicLibrary&& other) noexcept;
  TDynamicLibrary& operator=(TDynamicLibrary&& other) noexcept;

  bool Loaded() const { return handle_ != nullptr; }
  // The loader's message for the last failed load or lookup.
  const std::string& LastError() const { return lastError_; }

  // The address of an exported symbol, or nullptr when it is missing.
  void* Symbol(const char* name);
  // The same, as a function pointer of type F.
  template <class F>
  F Function(const char* name) {
    return reinterpret_cast<F>(Symbol(name));
  }

  void Unload();

private:
  void* handle_ = nullptr;
  std::string lastError_;
};

} // namespace qm

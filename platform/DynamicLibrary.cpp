#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <utility>

namespace qm {

namespace {

std::string LoaderError() {
  const char* text = ::dlerror();
  return text ? text : "unknown loader error";
}

} // namespace

TDynamicLibrary::TDynamicLibrary(const std::string& fileName) {
  handle_ = ::dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) lastError_ = LoaderError();
}

TDynamicLibrary::~TDynamicLibrary() { Unload(); }

TDynamicLibrary::TDynamicLibrary(TDynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), lastError_(std::move(other.lastError_)) {}

TDynamicLibrary& TDynamicLibrary::operator=(TDynamicLibrary&& other) noexcept {
  if (this != &other) {
    Unload();
    handle_ = std::exchange(other.handle_, nullptr);
    lastError_ = std::move(other.lastError_);
  }
  return *this;
}

void* TDynamicLibrary::Symbol(const char* name) {
  if (!handle_) return nullptr;
  ::dlerror();  // clear a stale message so a failure below is ours
  void* address = ::dlsym(handle_, name);
  if (!address) lastError_ = LoaderError();
  return address;
}

void TDynamicLibrary::Unload() {
  if (handle_) ::dlclose(handle_);
  handle_ = nullptr;
}

} // namespace qm

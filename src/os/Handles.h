// Move-only owners of Win32 handles: a copied owner would close twice.
#pragma once
#include <windows.h>

#include <utility>

namespace qv::win {

template <typename Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, Traits::Invalid());
    }
    return *this;
  }
  Handle get() const { return h_; }
  Handle* put() {
    reset();
    return &h_;
  }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }

 private:
  Handle h_ = Traits::Invalid();
};

struct FileTraits {  // CreateFile: INVALID_HANDLE_VALUE means none
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
struct KernelTraits {  // processes, threads, pipes: NULL means none
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};
struct LocalTraits {
  using Handle = HLOCAL;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::LocalFree(h); }
};

using FileHandle = Owned<FileTraits>;
using KernelHandle = Owned<KernelTraits>;
using FindHandle = Owned<FindTraits>;
using LocalMemory = Owned<LocalTraits>;

}  // namespace qv::win

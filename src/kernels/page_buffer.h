// A byte buffer for frame and audio data that is filled completely before it is
// read: growing it does not clear it, and where the system offers large pages it
// asks for them, so filling it faults once per 2 MiB instead of once per 4 KiB.
#pragma once

#include <cstddef>
#include <cstdint>

class PageBuffer {
  public:
    PageBuffer() = default;
    ~PageBuffer();
    PageBuffer(PageBuffer&& other) noexcept;
    PageBuffer& operator=(PageBuffer&& other) noexcept;
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;

    // Makes the buffer `size` bytes long. The memory is kept when it is large enough
    // (its bytes stay as they were); otherwise new memory of unspecified content
    // replaces it. False, with an empty buffer, when the memory cannot be had.
    bool resize(size_t size);
    // Gives the memory back.
    void clear();

    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    uint8_t& operator[](size_t i) { return data_[i]; }
    const uint8_t& operator[](size_t i) const { return data_[i]; }
    uint8_t* begin() { return data_; }
    uint8_t* end() { return data_ + size_; }
    const uint8_t* begin() const { return data_; }
    const uint8_t* end() const { return data_ + size_; }

  private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

// The system side: memory of at least `size` bytes (large pages asked for where the
// system has them), and its release. Null when none can be had.
uint8_t* allocatePages(size_t size, size_t& capacity);
void releasePages(uint8_t* data, size_t capacity);

// A device that takes `capacity` bytes and then fails, as a full disk does.
// What it took is its buffer's data.
#ifndef KOVA_TESTS_SUPPORT_DEVICE_FULL_AFTER_H_
#define KOVA_TESTS_SUPPORT_DEVICE_FULL_AFTER_H_

#include <QBuffer>

namespace kova {

class DeviceFullAfter : public QBuffer {
 public:
  explicit DeviceFullAfter(qint64 capacity) : capacity_(capacity) { open(QIODevice::WriteOnly); }

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    if (length > capacity_) return -1;
    capacity_ -= length;
    return QBuffer::writeData(data, length);
  }

 private:
  qint64 capacity_;
};

}  // namespace kova

#endif  // KOVA_TESTS_SUPPORT_DEVICE_FULL_AFTER_H_

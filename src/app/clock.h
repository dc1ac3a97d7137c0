#pragma once

// The program's source of "now": windows read the time through a Clock so that
// tests can fix it.

#include <QDateTime>

#include <utility>

namespace app {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The computer's local time.
class SystemClock final : public Clock {
  public:
    QDateTime now() const override;
};

// A time that only moves when told to.
class FixedClock final : public Clock {
  public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void set(QDateTime at) { at_ = std::move(at); }
    void advanceSeconds(qint64 seconds) { at_ = at_.addSecs(seconds); }

  private:
    QDateTime at_;
};

}  // namespace app

#include "tools/hdasim/core/raw_read.h"

#include "opc/opc_codes.h"

namespace hdasim {
namespace {

Sample Placeholder(Ticks t) {
  Sample sample;
  sample.time = t;
  sample.quality = OPCHDA_NOBOUND | kDaBad;
  return sample;
}

Sample Raw(Sample sample) {
  sample.quality |= OPCHDA_RAW;
  return sample;
}

// Collects entries up to the limit and remembers whether one more was offered.
class Collector {
 public:
  explicit Collector(std::uint32_t limit) : limit_(limit) {}
  // False once the limit is passed: the caller stops producing.
  bool Add(Sample sample) {
    if (samples_.size() >= limit_) {
      more_ = true;
      return false;
    }
    samples_.push_back(std::move(sample));
    return true;
  }
  std::vector<Sample>& Samples() { return samples_; }
  bool More() const { return more_; }

 private:
  std::uint32_t limit_;
  std::vector<Sample> samples_;
  bool more_ = false;
};

}  // namespace

bool ReadDomain::Contains(Ticks t) const {
  if (direction == Direction::kForward) return t >= from && (!to || t < *to);
  return t <= from && (!to || t > *to);
}

std::optional<ReadDomain> MakeReadDomain(std::optional<Ticks> start, std::optional<Ticks> end,
                                         std::uint32_t count) {
  ReadDomain domain;
  if (start && end) {
    domain.direction = *end < *start ? Direction::kReverse : Direction::kForward;
    domain.from = *start;
    domain.to = end;
    domain.instant = *start == *end;
    return domain;
  }
  if (count == 0) return std::nullopt;
  if (start) {
    domain.from = *start;
    return domain;
  }
  if (end) {
    domain.direction = Direction::kReverse;
    domain.from = *end;
    return domain;
  }
  return std::nullopt;
}

RawResult ReadRaw(const ItemHistory& history, const ReadDomain& domain, bool bounds,
                  std::uint32_t limit) {
  RawResult result;
  if (domain.instant) {
    if (std::optional<Sample> at = history.At(domain.from)) {
      result.samples.push_back(Raw(*at));
      result.status = ReadStatus::kOk;
    }
    return result;
  }

  const bool forward = domain.direction == Direction::kForward;
  Collector out(limit);
  bool found_bound = false;
  std::optional<Ticks> skip;  // the leading bound when it sits on the first time of the domain

  if (bounds) {
    std::optional<Sample> lead =
        forward ? history.AtOrBefore(domain.from) : history.AtOrAfter(domain.from);
    if (lead) {
      found_bound = true;
      if (lead->time == domain.from) skip = lead->time;
      out.Add(Raw(*lead));
    } else {
      out.Add(Placeholder(domain.from));
    }
  }

  bool saw_inner = false;
  std::optional<Sample> next =
      forward ? history.AtOrAfter(domain.from) : history.AtOrBefore(domain.from);
  if (next && skip && next->time == *skip)
    next = forward ? history.After(next->time) : history.Before(next->time);
  while (next && domain.Contains(next->time)) {
    saw_inner = true;
    if (!out.Add(Raw(*next))) break;
    next = forward ? history.After(next->time) : history.Before(next->time);
  }

  if (bounds && domain.to && !out.More()) {
    std::optional<Sample> trail =
        forward ? history.AtOrAfter(*domain.to) : history.AtOrBefore(*domain.to);
    if (trail) found_bound = true;
    out.Add(trail ? Raw(*trail) : Placeholder(*domain.to));
  }

  if (!saw_inner && !found_bound) return result;  // no data, not even a bound
  result.samples = std::move(out.Samples());
  result.status = out.More() ? ReadStatus::kMoreData : ReadStatus::kOk;
  return result;
}

}  // namespace hdasim

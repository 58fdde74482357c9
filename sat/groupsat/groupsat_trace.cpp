#include "sat/groupsat/groupsat_trace.h"

#include "util/exchange_file.h"

#include <memory>

namespace
{
const char *const trace_file = "resolve_trace";

class trace_filet
{
public:
  std::ostream &stream()
  {
    if(!created)
      create();
    return out;
  }

  bool create()
  {
    // The old buffer, if any, is flushed and closed first.
    buffer =
      std::make_unique<descriptor_buffert>(recreate_exchange_file(trace_file));
    out.rdbuf(buffer.get());
    created = true;
    return buffer->is_open();
  }

private:
  bool created = false;
  // Declared before the stream, so destroyed (flushed and closed) after it.
  std::unique_ptr<descriptor_buffert> buffer;
  std::ostream out{nullptr};
};

// Built by the first use, not at start-up.
trace_filet &trace()
{
  static trace_filet file;
  return file;
}
} // namespace

std::ostream &resolve_trace_stream()
{
  return trace().stream();
}

bool reset_resolve_trace()
{
  return trace().create();
}

// Fuzz target: text decoding and line splitting. For any file bytes, the
// whole-file reader and the streaming line reader (with a small buffer that
// lines cross) see the same lines; writing the lines back and reading them
// again gives the same lines; a rewrite that copies every line leaves the
// text as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include "base/encoding.h"
#include "base/line_stream.h"
#include "base/text_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  base::setAnsiTable(in.ConsumeBool() ? base::cp1251Table() : base::cp1252Table());
  const size_t bufferSize = in.ConsumeIntegralInRange<size_t>(1, 64);
  const std::string bytes = in.ConsumeRemainingBytesAsString();

  const base::TextFile text = base::textFromBytes(bytes);
  const base::TextFile again = base::textFromBytes(base::bytesOfText(text));
  FUZZ_CHECK(again.encoding == text.encoding);
  FUZZ_CHECK(again.lines == text.lines);

  const fuzz::fs::path file = fuzz::scratchDir() / "t.txt";
  fuzz::writeBytes(file, bytes);
  {
    base::LineReader reader(file, bufferSize);
    FUZZ_CHECK(reader.encoding() == text.encoding);
    std::string_view line;
    size_t n = 0;
    while (reader.next(line)) {
      FUZZ_CHECK(n < text.lines.size());
      FUZZ_CHECK(base::decodeText(line, reader.encoding()) == text.lines[n]);
      ++n;
    }
    FUZZ_CHECK(n == text.lines.size());
  }
  base::rewriteFile(file, [](base::LineReader& reader, base::LineWriter& writer) {
    std::string_view line;
    while (reader.next(line)) writer.writeLine(line);
  });
  const base::TextFile copied = base::textFromBytes(fuzz::readBytes(file));
  FUZZ_CHECK(copied.encoding == text.encoding);
  FUZZ_CHECK(copied.lines == text.lines);
  return 0;
}

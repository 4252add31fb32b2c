#!/usr/bin/env bash
# Builds the decoders with clang's libFuzzer, address and undefined-behaviour
# sanitizers and runs every target at once, one low-priority process each,
# for `seconds`. Usage: bench/fuzz/run.sh BUILD_DIR [seconds] [log folder]
# BUILD_DIR is a normal build (for the platform library). The codec sources
# hold no non-ASCII text, so clang builds them without the CP949 flag.
# Undefined behaviour stops a run like a crash; each target's log, and any
# input that failed, go to the log folder (default BUILD_DIR/fuzz/logs).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
seconds=${2:-30}
out="$build/fuzz"
logs=$(mkdir -p "${3:-$out/logs}" && cd "${3:-$out/logs}" && pwd)
mkdir -p "$out"
hostile="$root/tests/data/hostile"
sources=("$root"/Tesserin/image/{JPGFile,BMPFile,GIFFile,ExifReader,PixelBlock,ImageNotifier,ImageFile}.cpp)
# Seeds: the shared hostile samples, and a small JPEG (with an Exif block), BMPs and a GIF.
seeds="$out/seeds"
mkdir -p "$seeds"
python3 - "$seeds" <<'PY'
import struct, sys, os
d = sys.argv[1]
w, h = 16, 8
open(os.path.join(d, "p.ppm"), "wb").write(b"P6 %d %d 255\n" % (w, h) + bytes((x * 16 + y) % 256 for y in range(h) for x in range(w * 3)))
for bits in (1, 4, 8, 24):
    colours = 1 << bits if bits <= 8 else 0
    row = ((w * bits + 31) // 32) * 4
    body = bytes(range(256))[:row] * h
    off = 54 + 4 * colours
    head = b"BM" + struct.pack("<IHHIIiiHHIIiiII", off + len(body), 0, 0, off, 40, w, h, 1, bits, 0, len(body), 0, 0, colours, 0)
    open(os.path.join(d, "b%d.bmp" % bits), "wb").write(head + bytes(4 * colours) + body)
gif = b"GIF89a" + struct.pack("<HHBBB", 2, 2, 0x80, 0, 0) + bytes(6) + b"!\xf9\x04\x01\x00\x00\x00\x00"
gif += b"," + struct.pack("<HHHHB", 0, 0, 2, 2, 0x40) + b"\x02\x02\x84\x51\x00;"
open(os.path.join(d, "g.gif"), "wb").write(gif)
PY
cjpeg -quality 80 "$seeds/p.ppm" > "$seeds/p.jpg"
{ printf '\xff\xd8\xff\xe1\x00\x22Exif\x00\x00'
  printf 'II*\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00\x00'
  tail -c +3 "$seeds/p.jpg"; } > "$seeds/e.jpg"

targets=(1:jpeg 2:bmp 3:gif 4:exif 5:jpegwalk)
for target in "${targets[@]}"; do
  n=${target%%:*}; name=${target##*:}
  if [ "$name" = jpegwalk ]; then
    # The inspector's walk (ASCII source, no CP949 flag needed) over the normal build's grid.
    clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined \
      -I"$root/platform/include" -I"$root/Tesserin" -I"$root/Lumaret" \
      "$root/bench/fuzz/jpegwalk_fuzz.cpp" "$root/Lumaret/album/JpegStructureWalk.cpp" \
      -L"$build/Tesserin" -L"$build/platform" -Wl,-rpath,"$build/Tesserin:$build/platform" -lTesserin -lplatform \
      -o "$out/fuzz_$name"
    mkdir -p "$out/corpus_$name"
    cp "$seeds"/*.jpg "$hostile"/*.jpg "$out/corpus_$name/"
    continue
  fi
  clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -DIMAGE_FUZZ_TARGET="$n" -DMIVO_IMAGE_MAX_BLOCK_BYTES="(16u << 20)" \
    -I"$root/platform/include" -I"$root/Tesserin" \
    "$root/bench/fuzz/image_fuzz.cpp" "${sources[@]}" \
    -L"$build/platform" -Wl,-rpath,"$build/platform" -lplatform -ljpeg -o "$out/fuzz_$name"
  mkdir -p "$out/corpus_$name"
  case $name in
    jpeg|exif) cp "$seeds"/*.jpg "$hostile"/*.jpg "$out/corpus_$name/" ;;
    bmp) cp "$seeds"/*.bmp "$out/corpus_$name/"; cp "$hostile"/*.bmp "$out/corpus_$name/" 2>/dev/null || true ;;
    gif) cp "$seeds"/*.gif "$out/corpus_$name/"; cp "$hostile"/*.gif "$out/corpus_$name/" 2>/dev/null || true ;;
  esac
done

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
pids=()
for target in "${targets[@]}"; do
  name=${target##*:}
  dict=()
  case $name in jpeg|exif|jpegwalk) dict=(-dict="$root/bench/fuzz/exif.dict") ;; esac
  # The walk's grid lives in windows made once for the whole run: not leaks of an input.
  leaks=1
  [ "$name" = jpegwalk ] && leaks=0
  (cd "$out" && ASAN_OPTIONS=detect_leaks=$leaks exec nice -n 10 ./fuzz_"$name" -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=65536 \
     -timeout=60 -use_value_profile=1 -print_final_stats=1 "${dict[@]}" -artifact_prefix="$logs/$name-" \
     "corpus_$name" >"$logs/$name.log" 2>&1) &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for target in "${targets[@]}"; do
  name=${target##*:}
  echo "== $name"; grep -E "^Done|stat::number_of_executed_units|ERROR|SUMMARY" "$logs/$name.log" || true
done
exit $status

# The two commands of the README: `make demo` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all demo test test-sanitize clean

all: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --parallel

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

demo: all
	cd examples && ../$(BUILD)/zmlfc demo.ls

test: all
	cd $(BUILD) && ctest --output-on-failure

# The whole test suite with AddressSanitizer and UBSan.
test-sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DZMLFC_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)"

clean:
	rm -rf $(BUILD)

# The two commands of the README: `make demo` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all demo test clean

all: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --parallel

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

demo: all
	cd examples && ../$(BUILD)/zmlfc demo.ls

test: all
	cd $(BUILD) && ctest --output-on-failure

clean:
	rm -rf $(BUILD)

# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test clean screenshots

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/src/app/velorin

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

screenshots: build
	bash scripts/screenshots.sh $(BUILD)

clean:
	rm -rf $(BUILD)

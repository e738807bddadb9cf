# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
# make package: build the Debian package velorin_<version>_<arch>.deb in $(BUILD).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test package clean screenshots

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

package: build
	cd $(BUILD) && cpack -G DEB

screenshots: build
	bash scripts/screenshots.sh $(BUILD)

clean:
	rm -rf $(BUILD)

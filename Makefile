# make run: install what is missing, build, start the program.
# make test: install what is missing, build, run every test.
# make package: build the Debian package velorin_<version>_<arch>.deb in $(BUILD).
# make test-asan: every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
# make fuzz: the libFuzzer targets of fuzz/, each run FUZZ_SECONDS seconds.
BUILD ?= build
JOBS ?= $(shell nproc)
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test package clean screenshots sanitizer-deps test-asan fuzz

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Only the program and what it links, so the window comes up without waiting for the tests.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target velorin
	$(BUILD)/src/app/velorin

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB

screenshots: build
	bash scripts/screenshots.sh $(BUILD)

sanitizer-deps: deps
	bash scripts/install-deps.sh sanitizers

test-asan: sanitizer-deps
	bash scripts/test-asan.sh $(ASAN_BUILD) $(JOBS)

fuzz: sanitizer-deps
	bash fuzz/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)

# The two commands a newcomer needs: `make run` and `make test`.
# Both install the Debian packages that are missing, configure with CMake into build/ and build.

BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config ccache qt6-base-dev qt6-multimedia-dev qt6-svg-dev \
            libjpeg-dev libcli11-dev libgtest-dev libgmock-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test package clean fuzz fuzz-deps

all: build

# Installs whichever Debian packages of the list $(1) are missing.
define install-missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" != 0 ] && ! command -v sudo >/dev/null; then \
	    echo "Missing packages:$$missing"; \
	    echo "Install them as root (apt-get install$$missing), then run make again."; exit 1; \
	  fi; \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./lumaro

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# A Debian package of the installed program in $(BUILD_DIR): apt-get install ./$(BUILD_DIR)/lumaro2_*.deb
# It builds only what the package ships; dpkg-shlibdeps (dpkg-dev) works out its dependencies.
# Its files and archives carry the time of the last commit instead of the build's, so that the same
# commit gives the same package byte for byte.
PACKAGE_PACKAGES := dpkg-dev
LAST_COMMIT_TIME := $(shell git -C $(CURDIR) log -1 --format=%ct 2>/dev/null)
ifneq ($(LAST_COMMIT_TIME),)
package: export SOURCE_DATE_EPOCH ?= $(LAST_COMMIT_TIME)
endif
package: configure
	$(call install-missing,$(PACKAGE_PACKAGES))
	cmake --build $(BUILD_DIR) -j $(JOBS) --target package-contents
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)

# `make fuzz` runs every reader's libFuzzer target of tests/fuzz (ASan and UBSan, built with clang in
# $(FUZZ_DIR)/) for FUZZ_SECONDS each, one after the other, and fails on the first finding. The
# inputs it finds go to $(FUZZ_DIR)/corpus/NAME and are kept for the next run; a crashing one is
# left in $(FUZZ_DIR)/findings/NAME/. `make fuzz FUZZ_TARGETS=SavedGameFuzz` runs one target.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := cmake make ccache clang libclang-rt-dev
FUZZ_TARGETS ?= $(patsubst tests/fuzz/%.cpp,%,$(wildcard tests/fuzz/*Fuzz.cpp))

fuzz-deps:
	$(call install-missing,$(FUZZ_PACKAGES))

$(FUZZ_DIR)/CMakeCache.txt:
	cmake -S . -B $(FUZZ_DIR) -DLUMARO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo

fuzz: fuzz-deps $(FUZZ_DIR)/CMakeCache.txt
	cmake --build $(FUZZ_DIR) -j $(JOBS) $(foreach t,$(FUZZ_TARGETS),--target fuzz_$(t))
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/findings/$$t; \
	  seeds=""; \
	  for d in tests/fuzz/corpus/$$t tests/fuzz/regressions/$$t $(FUZZ_DIR)/fuzz-seeds/$$t; do \
	    if [ -d $$d ]; then seeds="$$seeds $$d"; fi; \
	  done; \
	  echo "== $$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_DIR)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=30 -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_DIR)/findings/$$t/ $(FUZZ_DIR)/corpus/$$t $$seeds || { \
	    echo "$$t found a fault; its input is in $(FUZZ_DIR)/findings/$$t/."; \
	    echo "Once it is mended, add that file to tests/fuzz/regressions/$$t/ so make test replays it."; \
	    exit 1; }; \
	done

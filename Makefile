# The two commands a newcomer needs: `make run` and `make test`.
# Both install the Debian packages that are missing, configure with CMake into build/ and build.

BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES := cmake make g++ pkg-config ccache qt6-base-dev qt6-multimedia-dev \
            libjpeg62-turbo-dev libgtest-dev libgmock-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test package clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

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
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)

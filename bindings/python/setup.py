"""The Python package zorv_words: the converter's C interface through ctypes, with the
library inside the wheel. Built by scripts/build-packages.sh, which sets
ZORV_VERSION (the project's version) and ZORV_LIBRARY (the built libzorv-words.so)."""
import os
import shutil

from setuptools import setup
from setuptools.command.build_py import build_py
from setuptools.dist import Distribution


class WithLibrary(Distribution):
    """A wheel that holds a native library is built for one platform."""

    def has_ext_modules(self):
        return True


class BuildWithLibrary(build_py):
    """Puts the library beside the package's code, where it loads it from."""

    def run(self):
        super().run()
        shutil.copy(os.environ["ZORV_LIBRARY"], os.path.join(self.build_lib, "zorv_words", "libzorv-words.so.1"))


setup(
    name="zorv_words",
    version=os.environ["ZORV_VERSION"],
    description="Numbers in words, and words read back to numbers: cheques, invoices and 100 languages",
    packages=["zorv_words"],
    package_data={"zorv_words": ["py.typed"]},
    python_requires=">=3.9",
    distclass=WithLibrary,
    cmdclass={"build_py": BuildWithLibrary},
    zip_safe=False,
)

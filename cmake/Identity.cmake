# Who makes Brisquel and where it lives: the package's maintainer, the
# AppStream id and the home page (which also serves the README's pictures
# under docs/). One place for all of them.
set(BRISQUEL_MAINTAINER "The Brisquel developers <maintainers@brisquel.example>"
    CACHE STRING "Maintainer of the package, name and address")
set(BRISQUEL_HOMEPAGE "https://brisquel.example/" CACHE STRING "Home page, ending in /")
set(BRISQUEL_APP_ID "example.brisquel.Brisquel" CACHE STRING "AppStream component id")
# The package's version: the program's, then the Debian revision.
set(BRISQUEL_PACKAGE_VERSION ${PROJECT_VERSION}.0)
set(BRISQUEL_DEB_REVISION 1)
set(BRISQUEL_DEB_VERSION ${BRISQUEL_PACKAGE_VERSION}-${BRISQUEL_DEB_REVISION})

// Plays the user of the program's office: a second process with its own connection to it (one
// process can hold only one bridge to an office). It closes a document as a close request or through
// the File > Close command, or gives it a Basic module as a user writing macros would.
//
//   telvainn-close-as-user CONNECTION FILE-URL close|dispatch
//   telvainn-close-as-user CONNECTION FILE-URL basic MODULE SOURCE

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/document/XEmbeddedScripts.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace css;
using uno::Reference;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

int main(int argc, char* argv[]) {
    const bool basic = argc == 6 && std::strcmp(argv[3], "basic") == 0;
    if (argc != 4 && !basic) {
        std::fprintf(stderr, "usage: %s CONNECTION FILE-URL close|dispatch|basic [MODULE SOURCE]\n", argv[0]);
        return 2;
    }
    setenv("URE_BOOTSTRAP", "vnd.sun.star.pathname:" TELVAINN_LO_PROGRAM "/fundamentalrc", 0);
    try {
        const auto local = cppu::defaultBootstrap_InitialComponentContext();
        const auto resolver = bridge::UnoUrlResolver::create(local);
        const Reference<uno::XComponentContext> context(
            resolver->resolve("uno:" + rtl::OUString::createFromAscii(argv[1]) +
                              ";urp;StarOffice.ComponentContext"),
            UNO_QUERY_THROW);
        const auto desktop = frame::Desktop::create(context);
        const rtl::OUString url = rtl::OUString::createFromAscii(argv[2]);
        const auto components = desktop->getComponents()->createEnumeration();
        while (components->hasMoreElements()) {
            const Reference<frame::XModel> model(components->nextElement(), UNO_QUERY);
            if (!model.is() || model->getURL() != url) {
                continue;
            }
            if (basic) {
                const auto libraries =
                    Reference<document::XEmbeddedScripts>(model, UNO_QUERY_THROW)->getBasicLibraries();
                if (!libraries->hasByName("Standard")) {
                    libraries->createLibrary("Standard");
                }
                libraries->loadLibrary("Standard");
                Reference<container::XNameContainer>(libraries->getByName("Standard"), UNO_QUERY_THROW)
                    ->insertByName(rtl::OUString::createFromAscii(argv[4]),
                                   uno::Any(rtl::OUString::createFromAscii(argv[5])));
            } else if (std::strcmp(argv[3], "close") == 0) {
                Reference<util::XCloseable>(model, UNO_QUERY_THROW)->close(true);
            } else {
                const Reference<frame::XDispatchProvider> frame(model->getCurrentController()->getFrame(),
                                                                UNO_QUERY_THROW);
                frame::DispatchHelper::create(context)->executeDispatch(frame, ".uno:CloseDoc", "", 0, {});
            }
            return 0;
        }
        std::fprintf(stderr, "no open document %s\n", argv[2]);
        return 1;
    } catch (const uno::Exception& exception) {
        std::fprintf(stderr, "%s\n",
                     rtl::OUStringToOString(exception.Message, RTL_TEXTENCODING_UTF8).getStr());
        return 1;
    }
}

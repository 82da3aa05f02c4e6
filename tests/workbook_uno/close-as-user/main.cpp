// Plays the user of the program's office: a second process with its own connection to it (one
// process can hold only one bridge to an office). It closes a document as a close request or through
// the File > Close command, gives it a Basic module or binds a document event to a macro as a user
// writing macros would, protects its active sheet with a password, or saves a copy of it with a
// password to open it.
//
//   telvainn-close-as-user CONNECTION FILE-URL close|dispatch
//   telvainn-close-as-user CONNECTION FILE-URL basic MODULE SOURCE
//   telvainn-close-as-user CONNECTION FILE-URL bind EVENT SCRIPT-URL
//   telvainn-close-as-user CONNECTION FILE-URL protect PASSWORD
//   telvainn-close-as-user CONNECTION FILE-URL copy-with-password PASSWORD COPY-URL

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/document/XEmbeddedScripts.hpp>
#include <com/sun/star/document/XEventsSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XProtectable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

using namespace css;
using uno::Reference;
using uno::UNO_QUERY;
using uno::UNO_QUERY_THROW;

namespace {

rtl::OUString text(const char* utf8) {
    return rtl::OUString(utf8, std::strlen(utf8), RTL_TEXTENCODING_UTF8);
}

// Two named values; the public SDK's Sequence has no list constructor.
uno::Sequence<beans::PropertyValue> properties(const char* firstName, const uno::Any& first,
                                               const char* secondName, const uno::Any& second) {
    uno::Sequence<beans::PropertyValue> list(2);
    list.getArray()[0].Name = rtl::OUString::createFromAscii(firstName);
    list.getArray()[0].Value = first;
    list.getArray()[1].Name = rtl::OUString::createFromAscii(secondName);
    list.getArray()[1].Value = second;
    return list;
}

// The action's arguments after the file's URL: their number, by action; -1 for no such action.
int argumentsOf(const char* action) {
    for (const auto& [name, count] : {std::pair{"close", 0},
                                      {"dispatch", 0},
                                      {"basic", 2},
                                      {"bind", 2},
                                      {"protect", 1},
                                      {"copy-with-password", 2}}) {
        if (std::strcmp(action, name) == 0) {
            return count;
        }
    }
    return -1;
}

void act(const Reference<uno::XComponentContext>& context, const Reference<frame::XModel>& model,
         const std::string& action, char* argv[]) {
    if (action == "basic") {
        const auto libraries =
            Reference<document::XEmbeddedScripts>(model, UNO_QUERY_THROW)->getBasicLibraries();
        if (!libraries->hasByName("Standard")) {
            libraries->createLibrary("Standard");
        }
        libraries->loadLibrary("Standard");
        Reference<container::XNameContainer>(libraries->getByName("Standard"), UNO_QUERY_THROW)
            ->insertByName(text(argv[4]), uno::Any(text(argv[5])));
    } else if (action == "bind") {
        const auto binding =
            properties("EventType", uno::Any(rtl::OUString("Script")), "Script", uno::Any(text(argv[5])));
        Reference<document::XEventsSupplier>(model, UNO_QUERY_THROW)
            ->getEvents()
            ->replaceByName(text(argv[4]), uno::Any(binding));
    } else if (action == "protect") {
        const Reference<sheet::XSpreadsheetView> view(model->getCurrentController(), UNO_QUERY_THROW);
        const Reference<util::XProtectable> sheet(view->getActiveSheet(), UNO_QUERY_THROW);
        sheet->unprotect("");  // the program's own protection has no password
        sheet->protect(text(argv[4]));
    } else if (action == "copy-with-password") {
        const auto arguments = properties("FilterName", uno::Any(rtl::OUString("MS Excel 97")), "Password",
                                          uno::Any(text(argv[4])));
        Reference<frame::XStorable>(model, UNO_QUERY_THROW)->storeToURL(text(argv[5]), arguments);
    } else if (action == "close") {
        Reference<util::XCloseable>(model, UNO_QUERY_THROW)->close(true);
    } else {
        const Reference<frame::XDispatchProvider> frame(model->getCurrentController()->getFrame(),
                                                        UNO_QUERY_THROW);
        frame::DispatchHelper::create(context)->executeDispatch(frame, ".uno:CloseDoc", "", 0, {});
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argumentsOf(argv[3]) != argc - 4) {
        std::fprintf(stderr,
                     "usage: %s CONNECTION FILE-URL close|dispatch|basic MODULE SOURCE|bind EVENT SCRIPT-URL|"
                     "protect PASSWORD|copy-with-password PASSWORD COPY-URL\n",
                     argv[0]);
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
            act(context, model, argv[3], argv);
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

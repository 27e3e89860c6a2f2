// datadock.exe plot under Wine: the golden log drawn to PNG and SVG without
// any window, read back through the Windows Imaging Component and XmlLite.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlwapi.h>
#include <wincodec.h>
#include <wrl/client.h>
#include <xmllite.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/temp_files.h"
#include "text/utf16.h"

using Microsoft::WRL::ComPtr;

namespace {

const std::string kGolden = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_";

// A path of the build machine as Wine's drive Z: shows it.
std::wstring onWine(const std::string& path) {
    std::wstring shown = utf8ToUtf16(path);
    for (wchar_t& c : shown) {
        c = c == L'/' ? L'\\' : c;
    }
    return shown.starts_with(L"\\") ? L"Z:" + shown : shown;
}

DWORD runPlot(const std::vector<std::string>& arguments) {
    std::wstring line = L"\"" + onWine(DATADOCK_CLI_EXE) + L"\" plot";
    for (const std::string& argument : arguments) {
        line += L" \"" + onWine(argument) + L"\"";
    }
    // Its notes on the console are not the test's.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE nowhere =
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(nowhere);
    if (!started) {
        return GetLastError() | 0x10000;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

struct Picture {
    UINT width = 0, height = 0;
    std::vector<BYTE> bgra;
};

Picture decoded(const std::string& path) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    Picture picture;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(onWine(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom))) {
        return picture;
    }
    converter->GetSize(&picture.width, &picture.height);
    picture.bgra.resize(std::size_t{picture.width} * picture.height * 4);
    converter->CopyPixels(nullptr, picture.width * 4, static_cast<UINT>(picture.bgra.size()),
                          picture.bgra.data());
    return picture;
}

// XmlLite's reader, from the system's DLL: the cross-compiler has no import
// library for it.
HRESULT createXmlReader(ComPtr<IXmlReader>& reader) {
    using Create = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    const HMODULE library = LoadLibraryW(L"xmllite.dll");
    const auto create = library ? reinterpret_cast<Create>(reinterpret_cast<void*>(
                                      GetProcAddress(library, "CreateXmlReader")))
                                : nullptr;
    return create ? create(IID_PPV_ARGS(&reader), nullptr) : E_NOTIMPL;
}

// The elements of an XML document by name; none when it does not parse.
std::vector<std::wstring> elementNames(const std::string& path) {
    ComPtr<IStream> file;
    ComPtr<IXmlReader> reader;
    std::vector<std::wstring> names;
    if (FAILED(SHCreateStreamOnFileW(onWine(path).c_str(), STGM_READ, &file)) ||
        FAILED(createXmlReader(reader)) ||
        FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
        FAILED(reader->SetInput(file.Get()))) {
        return {};
    }
    XmlNodeType node;
    HRESULT read;
    while ((read = reader->Read(&node)) == S_OK) {
        const wchar_t* name = nullptr;
        if (node == XmlNodeType_Element && SUCCEEDED(reader->GetLocalName(&name, nullptr))) {
            names.emplace_back(name);
        }
    }
    return FAILED(read) ? std::vector<std::wstring>{} : names;
}

TEST(WindowsPlotCommandTest, DrawsTheGoldenLogAsPngAndSvg) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::string png = TempPath("plot.png"), svg = TempPath("plot.svg");
    ASSERT_EQ(runPlot({kGolden + "log.csv", "--lap", kGolden + "lap.csv", "--out", png, "--size",
                       "900x600"}),
              0u);
    const Picture picture = decoded(png);
    ASSERT_EQ(picture.width, 900u);
    ASSERT_EQ(picture.height, 600u);
    // The middle of the plot holds series, not only the background.
    std::size_t drawn = 0;
    for (UINT y = 200; y < 400; ++y) {
        for (UINT x = 300; x < 600; ++x) {
            const BYTE* pixel = &picture.bgra[(std::size_t{y} * 900 + x) * 4];
            drawn += pixel[0] < 200 || pixel[1] < 200 || pixel[2] < 200;
        }
    }
    EXPECT_GT(drawn, 500u);

    ASSERT_EQ(runPlot({kGolden + "log.csv", "--out", svg, "--channels", "rpm,volt,temp1"}), 0u);
    const std::vector<std::wstring> elements = elementNames(svg);
    ASSERT_FALSE(elements.empty()) << "the SVG does not parse";
    EXPECT_EQ(elements.front(), L"svg");
    EXPECT_EQ(std::count(elements.begin(), elements.end(), L"path"), 3);
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

}  // namespace

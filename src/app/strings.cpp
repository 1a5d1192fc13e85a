// SPDX-License-Identifier: MIT
// The texts of the string table, in UTF-8 like every text shown to the person.
#include "app/strings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "app/version.h"

namespace nuvrel::app {
namespace {

struct Entry {
  int id;
  std::string_view text;
};

constexpr Entry kTable[] = {
    {20000, "The file \"%s\" cannot be opened for reading!"},
    {20001, "Error reading line: %d !"},
    {20002, "Error writing to file \"%s\" !"},
    {20003, "Cannot create file \"%s\" !"},
    {20004, "This will reset all data!\r\nAre you sure?"},
    {20006, "Text"},
    {20009, "Name"},
    {20010, "Barcode"},
    {20011, "Price"},
    {20012, "Tax grp."},
    {20013, "Turnover"},
    {20014, "Sales"},
    {20015, "In stock"},
    {20016, "Department"},
    {20017, "Unit"},
    {20023, "Cannot open COM%d !"},
    {20024, "Timeout communicating with ECR!"},
    {20025, "ECR returned NACK!"},
    {20026, "Invalid data received!"},
    {20027, "CRC error!"},
    {20028, "Bad ECR number received!"},
    {20029, "Cannot send data!"},
    {20031, "Enter a number between 1 and %u"},
    {20032, "Name is too long!"},
    {20033, "Price is too big!"},
    {20034, "Quantity (In stock) is too big! (bigger than 999999.999)"},
    {20035, "Sending line number %u"},
    {20036, "%u items successfully sent!"},
    {20037,
     "Warning: Some of the selected cells are empty!\r\nThose cells will be cleared with default "
     "values!\r\nSpaces for text and 0 for numbers\r\nAre you sure?"},
    {20038, "Selected cells successfully sent"},
    {20039, "Operator name is too long!"},
    {20040, "Line is too long!"},
    {20048, "Searched to the end of grid.\r\nText not found!"},
    {20049, "Searched to the end of selection.\r\nText not found!"},
    {20050, "No text to find!"},
    {20051, "Searched to the beginning of grid.\r\nText not found!"},
    {20052, "Searched to the beginning of selection.\r\nText not found!"},
    {20800, "Articles"},
    {20801, "Operators"},
    {20802, "Departments"},
    {20803, "Firm data"},
    {20804, "Advertisement"},
    {20805, "Articles report"},
    {20806, "Department report"},
    {20807, "Reports"},
    {20900, "Articles (%s)"},
    {20901, "Operators (%s)"},
    {20902, "Departments (%s)"},
    {20903, "Firm data (%s)"},
    {20904, "Advertisement (%s)"},
    {20905, "Articles report (%s)"},
    {20906, "Department report (%s)"},
    {20907, "Reports (%s)"},
    {21000, "Read item %u"},
    {21001, "Successfully read %u items"},
    {21002, "Read subgroup %u"},
    {21003, "Operation completed successfully"},
    {21004, "Transfer failed after %u items"},
    {21005, "Operation failed"},
    {21006, "This will send your reported items as commodities\r\nAre you sure?"},
    {21007, "Selected image colors are more than 2!\r\nDo you wish to continue?"},
    {21008, "Please select a file!"},
    {21009, "Selected image is too large!\r\nDo you wish to continue?"},
    {21010, "Cannot allocate memory!"},
    {21011, "This will try to load the default image!\r\nAre you sure?"},
    {21012, "Width: %u    Height: %u    Colors: %u"},
    {21013, "Ln: %u, Col: %u, Len: %u"},
    {21014, "Serbia"},
    {21015, "Price cannot be negative!"},
    {21016, "Quantity (In stock) cannot be negative!"},
    {21017, "Quantity (In stock) is not a number!"},
    {21018, "Serial number: "},
    {21019, "Prom version:"},
    {21020, "Country:"},
    {21021, "COM port:"},
    {21022, "%s: %s"},
    {21023, "Your user must be in the \"dialout\" group to use serial ports."},
    {21024, "Simulated register on %s"},
    {21025, "These sheets hold changes that are not saved:\r\n%s\r\n\r\nSave them first?"},
    {21026, "Not saved: %s"},
    {21027, "These hidden columns are sent to the ECR too: %s\r\nDo you wish to continue?"},
    {21030, "Stopped after %u of %u items"},
    {21031, "Stopped after %u of %u item"},
    {21032, "Transfer failed after %u of %u items"},
    {21033, "Transfer failed after %u of %u item"},
    {21034, "%u item successfully sent!"},
    {21035, "Selected cells successfully sent: %u items"},
    {21036, "Selected cells successfully sent: %u item"},
    {21037, "Sending %s to the ECR"},
    {21038, "Sending the logo to the ECR"},
    {21039, "Ctrl+Shift+D sends the rest"},
    {21040, "Successfully read %u item"},
    {21041, "Transfer failed after %u item"},
    {21042, "Stopped after %u item; nothing was stored"},
    {21043, "Stopped after %u line; nothing was stored"},
    {21050, "Nothing was sent. Put these cells right first:"},
    {21051, "These cells will not reach the ECR quite as they stand. Send anyway?"},
    {21052, "Row"},
    {21053, "Column"},
    {21054, "Problem"},
    {21055, "Error"},
    {21056, "Warning"},
    {21057, "%s: %s"},
    {21058, "The ECR prints blanks for %s"},
    {21059, "Send anyway"},
    {21060, "A sheet cannot hold these characters:\r\n%s\r\nReplace them as shown?"},
    {21061, "Replace"},
    {21062, "Back to editing"},
    {21070, "The ECR line was closed (hang-up)!"},
    {21071, "Damaged data in line %u of the report (item %u)!\r\nNothing was stored."},
    {21072, "Damaged data in line %u of the report (subgroup %u)!\r\nNothing was stored."},
    {21073, "Reading the articles report"},
    {21074, "Reading the daily report"},
    {21075, "Stopped after %u items; nothing was stored"},
    {21076, "Stopped after %u lines; nothing was stored"},
    {21120,
     "The device belongs to the group \"%s\". To join it, run  sudo usermod -aG %s $USER  and "
     "log in again."},
    {21121, "It is in use by %s (process %d)."},
    {21122, "Device:"},
    {21123, "%s (not found)"},
    {21140, "%s[*] - %s"},
    {21141, "No program to show the manual was found.\r\nThe manual is the file %s"},
    {21142, "The manual was not found. It should be the file %s"},
    {21143, "This sheet holds no data: there is nothing to print."},
    {21144, "File: %s"},
    {21145, "No file chosen: the built-in logo is shown. Choose a file with Load."},
    {21146, "The logo %s was sent to the ECR."},
    {21147, "&Printer:"},
    {21148, "Pa&per:"},
    {21149, "Orientation:"},
    {21150, "P&ortrait"},
    {21151, "&Landscape"},
    {21152, "No printer installed"},
    {21200,
     "Nothing is known yet of what register %06u holds in %s, so there is nothing to compare the "
     "sheet with."},
    {21201, "Send the &whole sheet"},
    {21202, "&Read the articles report"},
    {21203, "No changes to send: register %06u holds what the sheet shows"},
    {21204, "Changes sent: %u items"},
    {21205, "Changes sent: %u item"},
    {21206, "Skipped \"%s\": it is not a file that Nuvrel keeps there."},
    {21207, "Skipped \"%s\": the file is damaged at line %u."},
    {21208, "What register %06u now holds could not be recorded in \"%s\"."},
    {21209, "No cell differs from register %06u"},
    {21210, "%u cell differs from register %06u"},
    {21211, "%u cells differ from register %06u"},
    {21212, "Nothing is recorded of this sheet on any register"},
    {21213, "No other cell differs from the register"},
    {21220, "Register history"},
    {21221, "&Register:"},
    {21222, "Time"},
    {21223, "Sheet"},
    {21224, "What"},
    {21225, "Rows"},
    {21226, "&Open into its sheet"},
    {21227, "Nothing has been recorded of any register yet."},
    {21228, "Opened what register %06u held on %s"},
    {21230, "Whole sheet sent"},
    {21231, "Selection sent"},
    {21232, "Changes sent"},
    {21233, "Report read"},
    {21300, "Another program is using the port: close it, or choose another port."},
    {21350, "this build for Windows does not reach serial device servers: use a COM port"},
    {21400,
     "not a port: use a device path, tcp://HOST:PORT, rfc2217://HOST:PORT, tcp+tls://HOST:PORT or "
     "rfc2217+tls://HOST:PORT"},
    {21401, "no port number (HOST:PORT, a port from 1 to 65535)"},
    {21402, "not a host name or address: %s"},
    {21403, "cannot find the host %s: %s"},
    {21404, "no answer within %u ms"},
    {21405, "the server closed the connection"},
    {21406,
     "%s is reached without encryption across a network that is not private: anyone on the way "
     "can read and change what goes to the ECR. Use a tcp+tls:// or rfc2217+tls:// address."},
    {21407,
     "the server does not control the serial line (RFC 2217); for a raw port use a tcp:// "
     "address"},
    {21408, "the server's certificate was refused: %s"},
    {21409, "the secure connection failed: %s"},
    {21410, "cannot use the %s %s: %s"},
    {21411, "CA file"},
    {21412, "client certificate"},
    {21413, "client key"},
    {21414, "/dev/ttyUSB0, rfc2217://HOST:PORT, tcp://HOST:PORT"},
    {57344, "Nuvrel Serbian Edition v" NUVREL_VERSION},
    {57345, " "},
};

constexpr bool SortedById() {
  for (std::size_t i = 1; i < std::size(kTable); ++i) {
    if (kTable[i - 1].id >= kTable[i].id) return false;
  }
  return true;
}
static_assert(SortedById(), "the string table must stay sorted by ID");

}  // namespace

std::string_view TextById(int id) {
  const auto* end = std::end(kTable);
  const auto* it = std::lower_bound(std::begin(kTable), end, id,
                                    [](const Entry& e, int wanted) { return e.id < wanted; });
  if (it == end || it->id != id) return {};
  return it->text;
}

std::string_view Text(Sid id) {
  return TextById(static_cast<int>(id));
}

}  // namespace nuvrel::app

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>StatusDialog</name>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M Information</translation>
    </message>
    <message>
        <source>select_printer</source>
        <translation>Select printer</translation>
    </message>
    <message>
        <source>app_printer</source>
        <translation>%1 (printer application)</translation>
    </message>
    <message>
        <source>updateButton</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>mediaGroupTitle</source>
        <translation>Media Info</translation>
    </message>
    <message>
        <source>sheets</source>
        <translation>Sheets</translation>
    </message>
    <message>
        <source>statusGroupBox</source>
        <translation>Printer Status</translation>
    </message>
    <message>
        <source>tcGroupBox</source>
        <translation>Total Count</translation>
    </message>
    <message>
        <source>fwGroupBox</source>
        <translation>Firmware Version</translation>
    </message>
    <message>
        <source>serialNoGroupBox</source>
        <translation>Serial No.</translation>
    </message>
    <message>
        <source>size_00500</source>
        <translation>8x10in</translation>
    </message>
    <message>
        <source>size_00510</source>
        <translation>8x12in</translation>
    </message>
    <message>
        <source>size_00600</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>class_0001</source>
        <translation>Corvel</translation>
    </message>
    <message>
        <source>class_0002</source>
        <translation>Corvel Plus</translation>
    </message>
    <message>
        <source>class_0003</source>
        <translation>Tarsine</translation>
    </message>
    <message>
        <source>class_1304</source>
        <translation>Lustrane</translation>
    </message>
    <message>
        <source>class_1323</source>
        <translation>Opalith</translation>
    </message>
    <message>
        <source>st_00000</source>
        <translation>Waiting</translation>
    </message>
    <message>
        <source>st_00001</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>st_00500</source>
        <translation>Cooling head</translation>
    </message>
    <message>
        <source>st_00900</source>
        <translation>Waiting (Power saving mode)</translation>
    </message>
    <message>
        <source>st_01000</source>
        <translation>Door open</translation>
    </message>
    <message>
        <source>st_01010</source>
        <translation>No Scrap box</translation>
    </message>
    <message>
        <source>st_01100</source>
        <translation>Paper end</translation>
    </message>
    <message>
        <source>st_01200</source>
        <translation>Ribbon end</translation>
    </message>
    <message>
        <source>st_01300</source>
        <translation>Paper jam</translation>
    </message>
    <message>
        <source>st_01400</source>
        <translation>Ribbon error</translation>
    </message>
    <message>
        <source>st_01500</source>
        <translation>Paper size setting error</translation>
    </message>
    <message>
        <source>st_01600</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02000</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02100</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02200</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02300</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02400</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02500</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02600</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02610</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02700</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_02800</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_03000</source>
        <translation>System error</translation>
    </message>
    <message>
        <source>st_99999</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>ms_00001</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00002</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00003</source>
        <translation>Please wait a while.
Printing will resume automatically.</translation>
    </message>
    <message>
        <source>ms_00004</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00005</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00006</source>
        <translation>Connect the printer and computer, and turn on the power.</translation>
    </message>
    <message>
        <source>ms_00100</source>
        <translation>Close the printer.</translation>
    </message>
    <message>
        <source>ms_00101</source>
        <translation>Attach the scrap box.</translation>
    </message>
    <message>
        <source>ms_00102</source>
        <translation>Load new media.
(Replace the paper and ribbon as a set.)</translation>
    </message>
    <message>
        <source>ms_00103</source>
        <translation>Load new media.
(Replace the paper and ribbon as a set.)</translation>
    </message>
    <message>
        <source>ms_00104</source>
        <translation>Remove the paper and reload it properly.</translation>
    </message>
    <message>
        <source>ms_00105</source>
        <translation>Reload the ribbon properly.</translation>
    </message>
    <message>
        <source>ms_00106</source>
        <translation>Check the paper size setting and ribbon size.</translation>
    </message>
    <message>
        <source>ms_00107</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00108</source>
        <translation>
&lt;&lt; Incorrect media type has been loaded. &gt;&gt;</translation>
    </message>
    <message>
        <source>ms_00200</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00201</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00202</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00203</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00204</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00205</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00206</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00207</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00208</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00209</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
    <message>
        <source>ms_00210</source>
        <translation>Restart the printer and computer.
If the printer does not recover after the restart, contact the service center.</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M Information</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>PrinterApplication</name>
    <message>
        <source>Prints since the last reset</source>
        <translation>Prints since the last reset</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Jobs</translation>
    </message>
    <message>
        <source>Photo settings</source>
        <translation>Photo settings</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Glossy</source>
        <translation>Glossy</translation>
    </message>
    <message>
        <source>Luster</source>
        <translation>Luster</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>Matte</translation>
    </message>
    <message>
        <source>Fine matte</source>
        <translation>Fine matte</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Border</translation>
    </message>
    <message>
        <source>2-inch cut</source>
        <translation>2-inch cut</translation>
    </message>
    <message>
        <source>High-speed printing (300 x 600 dpi)</source>
        <translation>High-speed printing (300 x 600 dpi)</translation>
    </message>
    <message>
        <source>Retry after an error</source>
        <translation>Retry after an error</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Sharpness</translation>
    </message>
    <message>
        <source>Color adjustment</source>
        <translation>Color adjustment</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Save photo settings</source>
        <translation>Save photo settings</translation>
    </message>
    <message>
        <source>Invalid form data.</source>
        <translation>Invalid form data.</translation>
    </message>
    <message>
        <source>Print counter reset.</source>
        <translation>Print counter reset.</translation>
    </message>
    <message>
        <source>Photo settings saved.</source>
        <translation>Photo settings saved.</translation>
    </message>
    <message>
        <source>The defaults could not be saved.</source>
        <translation>The defaults could not be saved.</translation>
    </message>
    <message>
        <source>Bad value for %1.</source>
        <translation>Bad value for %1.</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Job</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Sheets sent</source>
        <translation>Sheets sent</translation>
    </message>
    <message>
        <source>Sheet %1</source>
        <translation>Sheet %1</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>Pending</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>Held</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Canceled</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>Aborted</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer.</source>
        <translation>%1 page(s) sent to the printer.</translation>
    </message>
    <message>
        <source>Stopped after %1 page(s).</source>
        <translation>Stopped after %1 page(s).</translation>
    </message>
    <message>
        <source>Sending the job to the printer again.</source>
        <translation>Sending the job to the printer again.</translation>
    </message>
    <message>
        <source>The document has no pages.</source>
        <translation>The document has no pages.</translation>
    </message>
    <message>
        <source>Stopped: the printer application was shut down.</source>
        <translation>Stopped: the printer application was shut down.</translation>
    </message>
    <message>
        <source>The loaded media changed while the job waited; send the job again.</source>
        <translation>The loaded media changed while the job waited; send the job again.</translation>
    </message>
    <message>
        <source>Out of memory for the print job.</source>
        <translation>Out of memory for the print job.</translation>
    </message>
    <message>
        <source>The JPEG image cannot be opened.</source>
        <translation>The JPEG image cannot be opened.</translation>
    </message>
    <message>
        <source>The PDF document has no pages.</source>
        <translation>The PDF document has no pages.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document has no size.</source>
        <translation>Page %1 of the PDF document has no size.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document cannot be rendered.</source>
        <translation>Page %1 of the PDF document cannot be rendered.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document is too large to print.</source>
        <translation>Page %1 of the PDF document is too large to print.</translation>
    </message>
    <message>
        <source>The PDF document takes too long to render.</source>
        <translation>The PDF document takes too long to render.</translation>
    </message>
    <message>
        <source>8 x 4 in</source>
        <translation>8 x 4 in</translation>
    </message>
    <message>
        <source>8 x 5 in</source>
        <translation>8 x 5 in</translation>
    </message>
    <message>
        <source>8 x 6 in</source>
        <translation>8 x 6 in</translation>
    </message>
    <message>
        <source>8 x 8 in</source>
        <translation>8 x 8 in</translation>
    </message>
    <message>
        <source>8 x 10 in</source>
        <translation>8 x 10 in</translation>
    </message>
    <message>
        <source>8 x 12 in</source>
        <translation>8 x 12 in</translation>
    </message>
    <message>
        <source>Job %1 stopped: %2</source>
        <translation>Job %1 stopped: %2</translation>
    </message>
    <message>
        <source>Waiting for the printer (%1)</source>
        <translation>Waiting for the printer (%1)</translation>
    </message>
    <message>
        <source>Waiting for the printer: %1 (%2)</source>
        <translation>Waiting for the printer: %1 (%2)</translation>
    </message>
    <message>
        <source>The backend failed to print the job.</source>
        <translation>The backend failed to print the job.</translation>
    </message>
    <message>
        <source>The printer asks for authentication.</source>
        <translation>The printer asks for authentication.</translation>
    </message>
    <message>
        <source>The backend put the job on hold.</source>
        <translation>The backend put the job on hold.</translation>
    </message>
    <message>
        <source>The printer stopped: it needs attention.</source>
        <translation>The printer stopped: it needs attention.</translation>
    </message>
    <message>
        <source>The backend cancelled the job.</source>
        <translation>The backend cancelled the job.</translation>
    </message>
    <message>
        <source>The printer could not be reached; try again later.</source>
        <translation>The printer could not be reached; try again later.</translation>
    </message>
    <message>
        <source>The backend ended abnormally.</source>
        <translation>The backend ended abnormally.</translation>
    </message>
    <message>
        <source>The backend failed with status %1.</source>
        <translation>The backend failed with status %1.</translation>
    </message>
    <message>
        <source>%1 The job could not be kept for printing again: the spool folder has no room for it.</source>
        <translation>%1 The job could not be kept for printing again: the spool folder has no room for it.</translation>
    </message>
    <message>
        <source>Out of memory for page %1.</source>
        <translation>Out of memory for page %1.</translation>
    </message>
    <message>
        <source>The printer's device is not a velmora-zelbackend device.</source>
        <translation>The printer's device is not a velmora-zelbackend device.</translation>
    </message>
    <message>
        <source>Unsupported raster page: %1 bits per pixel.</source>
        <translation>Unsupported raster page: %1 bits per pixel.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</source>
        <translation>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</source>
        <translation>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</translation>
    </message>
    <message>
        <source>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</source>
        <translation>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</translation>
    </message>
    <message>
        <source>Out of memory while fitting the page onto the sheet.</source>
        <translation>Out of memory while fitting the page onto the sheet.</translation>
    </message>
    <message>
        <source>The PDF renderer cannot be started.</source>
        <translation>The PDF renderer cannot be started.</translation>
    </message>
    <message>
        <source>The PDF document is encrypted: it cannot be printed without its password.</source>
        <translation>The PDF document is encrypted: it cannot be printed without its password.</translation>
    </message>
    <message>
        <source>The PDF document cannot be read: its description is too long.</source>
        <translation>The PDF document cannot be read: its description is too long.</translation>
    </message>
    <message>
        <source>The JPEG image of %1 x %2 pixels is too large to print.</source>
        <translation>The JPEG image of %1 x %2 pixels is too large to print.</translation>
    </message>
    <message>
        <source>Out of memory for the JPEG image.</source>
        <translation>Out of memory for the JPEG image.</translation>
    </message>
    <message>
        <source>The PNG image of %1 x %2 pixels is too large to print.</source>
        <translation>The PNG image of %1 x %2 pixels is too large to print.</translation>
    </message>
    <message>
        <source>Out of memory for the PNG image.</source>
        <translation>Out of memory for the PNG image.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>Sending sheets %1 to %2 to the printer again.</source>
        <translation>Sending sheets %1 to %2 to the printer again.</translation>
    </message>
</context>
</TS>

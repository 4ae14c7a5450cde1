<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
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
        <translation>关于</translation>
    </message>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M 信息</translation>
    </message>
    <message>
        <source>select_printer</source>
        <translation>选择打印机</translation>
    </message>
    <message>
        <source>app_printer</source>
        <translation>%1（打印机应用程序）</translation>
    </message>
    <message>
        <source>updateButton</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>mediaGroupTitle</source>
        <translation>介质信息</translation>
    </message>
    <message>
        <source>sheets</source>
        <translation>张</translation>
    </message>
    <message>
        <source>statusGroupBox</source>
        <translation>打印机状态</translation>
    </message>
    <message>
        <source>tcGroupBox</source>
        <translation>总打印数</translation>
    </message>
    <message>
        <source>fwGroupBox</source>
        <translation>固件版本</translation>
    </message>
    <message>
        <source>serialNoGroupBox</source>
        <translation>序列号</translation>
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
        <translation>正在等候</translation>
    </message>
    <message>
        <source>st_00001</source>
        <translation>正在打印</translation>
    </message>
    <message>
        <source>st_00500</source>
        <translation>正在冷却打印头</translation>
    </message>
    <message>
        <source>st_00900</source>
        <translation>正在等候（节能模式）</translation>
    </message>
    <message>
        <source>st_01000</source>
        <translation>机门打开</translation>
    </message>
    <message>
        <source>st_01010</source>
        <translation>未安装废纸盒</translation>
    </message>
    <message>
        <source>st_01100</source>
        <translation>纸张用完</translation>
    </message>
    <message>
        <source>st_01200</source>
        <translation>色带用完</translation>
    </message>
    <message>
        <source>st_01300</source>
        <translation>卡纸</translation>
    </message>
    <message>
        <source>st_01400</source>
        <translation>色带错误</translation>
    </message>
    <message>
        <source>st_01500</source>
        <translation>纸张尺寸设置错误</translation>
    </message>
    <message>
        <source>st_01600</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02000</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02100</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02200</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02300</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02400</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02500</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02600</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02610</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02700</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_02800</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_03000</source>
        <translation>系统错误</translation>
    </message>
    <message>
        <source>st_99999</source>
        <translation>脱机</translation>
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
        <translation>请稍候。
打印将自动继续。</translation>
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
        <translation>连接打印机和计算机，打开电源。</translation>
    </message>
    <message>
        <source>ms_00100</source>
        <translation>请关闭打印机机门。</translation>
    </message>
    <message>
        <source>ms_00101</source>
        <translation>请安装废纸盒。</translation>
    </message>
    <message>
        <source>ms_00102</source>
        <translation>请装入新介质。
（纸张和色带请成套更换。）</translation>
    </message>
    <message>
        <source>ms_00103</source>
        <translation>请装入新介质。
（纸张和色带请成套更换。）</translation>
    </message>
    <message>
        <source>ms_00104</source>
        <translation>请取出纸张并正确重新装入。</translation>
    </message>
    <message>
        <source>ms_00105</source>
        <translation>请正确重新装入色带。</translation>
    </message>
    <message>
        <source>ms_00106</source>
        <translation>请检查纸张尺寸设置和色带尺寸。</translation>
    </message>
    <message>
        <source>ms_00107</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00108</source>
        <translation>
&lt;&lt; 装入的介质类型不正确。 &gt;&gt;</translation>
    </message>
    <message>
        <source>ms_00200</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00201</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00202</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00203</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00204</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00205</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00206</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00207</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00208</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00209</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
    <message>
        <source>ms_00210</source>
        <translation>请重新启动打印机和计算机。
如果重新启动后打印机仍未恢复，请联系服务中心。</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M 信息</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
</context>
<context>
    <name>PrinterApplication</name>
    <message>
        <source>Prints since the last reset</source>
        <translation>上次重置以来的打印数</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>作业</translation>
    </message>
    <message>
        <source>Photo settings</source>
        <translation>照片设置</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>表面处理</translation>
    </message>
    <message>
        <source>Glossy</source>
        <translation>光面</translation>
    </message>
    <message>
        <source>Luster</source>
        <translation>珠面</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>哑光</translation>
    </message>
    <message>
        <source>Fine matte</source>
        <translation>细哑光</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>边框</translation>
    </message>
    <message>
        <source>2-inch cut</source>
        <translation>2英寸裁切</translation>
    </message>
    <message>
        <source>High-speed printing (300 x 600 dpi)</source>
        <translation>高速打印 (300 x 600 dpi)</translation>
    </message>
    <message>
        <source>Retry after an error</source>
        <translation>出错后重试</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>锐度</translation>
    </message>
    <message>
        <source>Color adjustment</source>
        <translation>色彩调整</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Save photo settings</source>
        <translation>保存照片设置</translation>
    </message>
    <message>
        <source>Invalid form data.</source>
        <translation>表单数据无效。</translation>
    </message>
    <message>
        <source>Print counter reset.</source>
        <translation>打印计数器已重置。</translation>
    </message>
    <message>
        <source>Photo settings saved.</source>
        <translation>照片设置已保存。</translation>
    </message>
    <message>
        <source>The defaults could not be saved.</source>
        <translation>无法保存默认值。</translation>
    </message>
    <message>
        <source>Bad value for %1.</source>
        <translation>%1 的值无效。</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>作业编号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>介质</translation>
    </message>
    <message>
        <source>Sheets sent</source>
        <translation>已发送的纸张</translation>
    </message>
    <message>
        <source>Sheet %1</source>
        <translation>第 %1 张</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>等待中</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>已挂起</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>正在打印</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>已中止</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>已完成</translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer.</source>
        <translation>已向打印机发送 %1 页。</translation>
    </message>
    <message>
        <source>Stopped after %1 page(s).</source>
        <translation>在 %1 页后停止。</translation>
    </message>
    <message>
        <source>Sending the job to the printer again.</source>
        <translation>正在重新向打印机发送作业。</translation>
    </message>
    <message>
        <source>The document has no pages.</source>
        <translation>文档没有页面。</translation>
    </message>
    <message>
        <source>Stopped: the printer application was shut down.</source>
        <translation>已停止：打印机应用程序已关闭。</translation>
    </message>
    <message>
        <source>The loaded media changed while the job waited; send the job again.</source>
        <translation>作业等待期间装入的介质已更改，请重新发送作业。</translation>
    </message>
    <message>
        <source>Out of memory for the print job.</source>
        <translation>打印作业内存不足。</translation>
    </message>
    <message>
        <source>The JPEG image cannot be opened.</source>
        <translation>无法打开 JPEG 图像。</translation>
    </message>
    <message>
        <source>The PDF document has no pages.</source>
        <translation>PDF 文档没有页面。</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document has no size.</source>
        <translation>PDF 文档的第 %1 页没有尺寸。</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document cannot be rendered.</source>
        <translation>无法渲染 PDF 文档的第 %1 页。</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document is too large to print.</source>
        <translation>PDF 文档的第 %1 页太大，无法打印。</translation>
    </message>
    <message>
        <source>The PDF document takes too long to render.</source>
        <translation>PDF 文档渲染时间过长。</translation>
    </message>
    <message>
        <source>8 x 4 in</source>
        <translation>8 x 4 英寸</translation>
    </message>
    <message>
        <source>8 x 5 in</source>
        <translation>8 x 5 英寸</translation>
    </message>
    <message>
        <source>8 x 6 in</source>
        <translation>8 x 6 英寸</translation>
    </message>
    <message>
        <source>8 x 8 in</source>
        <translation>8 x 8 英寸</translation>
    </message>
    <message>
        <source>8 x 10 in</source>
        <translation>8 x 10 英寸</translation>
    </message>
    <message>
        <source>8 x 12 in</source>
        <translation>8 x 12 英寸</translation>
    </message>
    <message>
        <source>Job %1 stopped: %2</source>
        <translation>作业 %1 已停止：%2</translation>
    </message>
    <message>
        <source>Waiting for the printer (%1)</source>
        <translation>正在等待打印机（%1）</translation>
    </message>
    <message>
        <source>Waiting for the printer: %1 (%2)</source>
        <translation>正在等待打印机：%1（%2）</translation>
    </message>
    <message>
        <source>The backend failed to print the job.</source>
        <translation>后端未能打印该作业。</translation>
    </message>
    <message>
        <source>The printer asks for authentication.</source>
        <translation>打印机要求身份验证。</translation>
    </message>
    <message>
        <source>The backend put the job on hold.</source>
        <translation>后端已挂起该作业。</translation>
    </message>
    <message>
        <source>The printer stopped: it needs attention.</source>
        <translation>打印机已停止：需要处理。</translation>
    </message>
    <message>
        <source>The backend cancelled the job.</source>
        <translation>后端已取消该作业。</translation>
    </message>
    <message>
        <source>The printer could not be reached; try again later.</source>
        <translation>无法连接打印机，请稍后重试。</translation>
    </message>
    <message>
        <source>The backend ended abnormally.</source>
        <translation>后端异常结束。</translation>
    </message>
    <message>
        <source>The backend failed with status %1.</source>
        <translation>后端失败，状态为 %1。</translation>
    </message>
    <message>
        <source>%1 The job could not be kept for printing again: the spool folder has no room for it.</source>
        <translation>%1 无法保留作业以便重新打印：假脱机文件夹没有空间。</translation>
    </message>
    <message>
        <source>Out of memory for page %1.</source>
        <translation>第 %1 页内存不足。</translation>
    </message>
    <message>
        <source>The printer's device is not a velmora-zelbackend device.</source>
        <translation>打印机的设备不是 velmora-zelbackend 设备。</translation>
    </message>
    <message>
        <source>Unsupported raster page: %1 bits per pixel.</source>
        <translation>不支持的光栅页面：每像素 %1 位。</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</source>
        <translation>第 %1 页（%2 x %3 像素）大于打印机的任何纸张。</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</source>
        <translation>第 %1 页（%2 x %3 像素）太大，无法适配到纸张上。</translation>
    </message>
    <message>
        <source>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</source>
        <translation>文档在第 %1 页中途结束（%3 行中的 %2 行）：未打印。请重新发送。</translation>
    </message>
    <message>
        <source>Out of memory while fitting the page onto the sheet.</source>
        <translation>将页面适配到纸张时内存不足。</translation>
    </message>
    <message>
        <source>The PDF renderer cannot be started.</source>
        <translation>无法启动 PDF 渲染器。</translation>
    </message>
    <message>
        <source>The PDF document is encrypted: it cannot be printed without its password.</source>
        <translation>PDF 文档已加密：没有密码无法打印。</translation>
    </message>
    <message>
        <source>The PDF document cannot be read: its description is too long.</source>
        <translation>无法读取 PDF 文档：其描述过长。</translation>
    </message>
    <message>
        <source>The JPEG image of %1 x %2 pixels is too large to print.</source>
        <translation>JPEG 图像（%1 x %2 像素）太大，无法打印。</translation>
    </message>
    <message>
        <source>Out of memory for the JPEG image.</source>
        <translation>JPEG 图像内存不足。</translation>
    </message>
    <message>
        <source>The PNG image of %1 x %2 pixels is too large to print.</source>
        <translation>PNG 图像（%1 x %2 像素）太大，无法打印。</translation>
    </message>
    <message>
        <source>Out of memory for the PNG image.</source>
        <translation>PNG 图像内存不足。</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>已停止。</translation>
    </message>
    <message>
        <source>Sending sheets %1 to %2 to the printer again.</source>
        <translation>正在重新向打印机发送第 %1 至 %2 张。</translation>
    </message>
</context>
</TS>
